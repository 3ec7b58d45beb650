// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

// Tells whether another copy of the program is already running.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
    // Takes the lock; false when another copy holds it.
    virtual bool acquire() = 0;
};

}  // namespace lutavo
