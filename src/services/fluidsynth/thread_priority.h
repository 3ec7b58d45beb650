// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The audio thread must get a core the moment the sound server asks it for more: a busy machine
// otherwise keeps it waiting past the end of the server's buffer. Desktop audio programs ask for
// it to run ahead of ordinary work.

#include <string>

namespace lutavo {

// Raises the thread with kernel id `threadId` (of this process) as far as the machine allows:
// real time through the desktop's real-time service on the system bus where it runs, else
// real-time scheduling (first in, first out; else round robin) where the process's limits
// allow it, else the lowest nice value it may take, through the same service when the limits
// do not allow it either. Called from any thread but the raised one: the service is asked over
// a socket. Returns what it got, in a few words.
std::string raiseAudioThread(long threadId);

// The calling thread's kernel id.
long currentThreadId();

}  // namespace lutavo
