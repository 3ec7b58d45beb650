// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window as the core sees it: an event loop it can let run, and a way to show the state in
// the middle of a handler.

namespace lutavo {

class Screen {
  public:
    virtual ~Screen() = default;
    // Lets the window handle what is pending (repaints above all) before the program goes on.
    virtual void processEvents() = 0;
    // Brings the window up to date with the program's state in the middle of a handler and
    // paints it (a pressed cell of the library's strip shows before the page is made).
    virtual void present() = 0;
};

}  // namespace lutavo
