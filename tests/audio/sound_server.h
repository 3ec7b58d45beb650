// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private sound server for the stream's tests: the desktop's server with a null sink as its
// only output, in a folder of its own, so a test hears the stream run without a sound card and
// without touching the user's server.

#include <sys/types.h>

#include <string>

#include "fakes/temp_dir.h"

namespace lutavo::test {

class SoundServer {
  public:
    // Starts the server and points this process's connections at it; running() tells whether
    // it came up (no server program installed, say).
    SoundServer();
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    bool running() const { return pid_ > 0; }

  private:
    TempDir folder_;
    pid_t pid_ = 0;
};

}  // namespace lutavo::test
