// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One copy per user: a lock file in the user's runtime folder (the temp folder when there is
// none). A lock left by a copy that is no longer running is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/instance_lock.h"

namespace lutavo {

class QtInstanceLock : public InstanceLock {
  public:
    // "lutavo.lock" in $XDG_RUNTIME_DIR, else "lutavo-<uid>.lock" in the temp folder.
    QtInstanceLock();
    // A lock file of the caller's choosing.
    explicit QtInstanceLock(const QString& path);

    bool acquire() override;
    const QString& path() const { return path_; }

    static QString defaultPath();

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace lutavo
