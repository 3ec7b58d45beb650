// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_instance_lock.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>

namespace lutavo {

QtInstanceLock::QtInstanceLock() : QtInstanceLock(defaultPath()) {}

QtInstanceLock::QtInstanceLock(const QString& path)
    : path_(path), lock_(std::make_unique<QLockFile>(path)) {
    // Never judge a lock by its age: a copy left running for days still holds it. A lock whose
    // process has died is still recognised as stale and taken over.
    lock_->setStaleLockTime(0);
}

QString QtInstanceLock::defaultPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("lutavo.lock"));
    // The temp folder is shared by every user: one user's copy must not stop another's.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("lutavo-%1.lock").arg(getuid()));
}

bool QtInstanceLock::acquire() {
    if (lock_->isLocked()) return true;
    return lock_->tryLock(0);
}

}  // namespace lutavo
