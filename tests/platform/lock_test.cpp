// SPDX-License-Identifier: GPL-3.0-or-later
// One copy at a time: the lock file refuses a second holder and takes over a dead one's lock.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSysInfo>
#include <memory>

#include "fakes/test_rig.h"
#include "services/qt/qt_instance_lock.h"

namespace lutavo {
namespace {

QString lockIn(const test::TempDir& dir) {
    return QString::fromStdString(dir.path() + "lutavo.lock");
}

TEST(InstanceLock, SecondHolderIsRefusedWhileTheFirstRunsAndGetsTheLockAfterIt) {
    test::TempDir dir;
    auto first = std::make_unique<QtInstanceLock>(lockIn(dir));
    QtInstanceLock second(lockIn(dir));
    EXPECT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire()) << "asking again keeps the lock";
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(InstanceLock, LockOfADeadProcessIsTakenOver) {
    test::TempDir dir;
    // A process that has ended: its id is free.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    QFile file(lockIn(dir));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(child) + "\nlutavo\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    file.close();

    QtInstanceLock lock(lockIn(dir));
    EXPECT_TRUE(lock.acquire());
}

}  // namespace
}  // namespace lutavo
