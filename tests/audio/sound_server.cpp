// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/sound_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace lutavo::test {

namespace {

// The C view of a list of strings, ended by null.
std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

SoundServer::SoundServer() {
    const std::string runtime = folder_.path();
    const std::string socket = runtime + "native";
    std::vector<std::string> args = {
        "pulseaudio",
        "-n",
        "--daemonize=no",
        "--exit-idle-time=-1",
        "--use-pid-file=no",
        "--log-target=stderr",
        "--log-level=error",
        "-L",
        "module-native-protocol-unix auth-anonymous=1 socket=" + socket,
        "-L",
        "module-null-sink sink_name=test rate=48000"};
    // The server keeps its files in the folder; this process's connections find it there.
    std::vector<std::string> env = {"HOME=" + runtime, "XDG_RUNTIME_DIR=" + runtime,
                                    "PULSE_RUNTIME_PATH=" + runtime};
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 &&
            entry.rfind("PULSE_", 0) != 0)
            env.push_back(entry);
    }
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    setenv("PULSE_COOKIE", (runtime + "cookie").c_str(), 1);
    // The server must not hold the test's output open: a test that dies would leave the test
    // runner waiting for the server's end of the pipe.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    for (int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "pulseaudio", &files, nullptr, pointers(args).data(),
                                     pointers(env).data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        pid_ = 0;
        return;
    }
    for (int waited = 0; waited < 100 && !std::filesystem::exists(socket); ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!std::filesystem::exists(socket)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
}

SoundServer::~SoundServer() {
    unsetenv("PULSE_SERVER");
    unsetenv("PULSE_COOKIE");
    if (!running()) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace lutavo::test
