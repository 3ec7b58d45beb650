// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/instance_lock.h"

namespace lutavo::test {

class FakeInstanceLock : public InstanceLock {
  public:
    bool acquire() override { return !anotherCopyRunning; }
    bool anotherCopyRunning = false;
};

}  // namespace lutavo::test
