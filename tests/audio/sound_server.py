# SPDX-License-Identifier: GPL-3.0-or-later
"""A private sound server whose only output is a null sink named rec, for what plays live. Its
sink's thread runs real-time, as a desktop's sound server's does: left to ordinary scheduling on
an idle machine, the sink's own timer now and then wakes 20 to 30 ms late and the stream runs dry
however much the program has queued."""

import os, subprocess, time


def start_server(runtime, rate):
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=runtime, PULSE_RUNTIME_PATH=runtime)
    env.pop("PULSE_SERVER", None)
    subprocess.run(["pulseaudio", "-n", "--daemonize=yes", "--exit-idle-time=-1", "--use-pid-file=yes",
                    "--realtime=yes", "--high-priority=yes",
                    "-L", "module-native-protocol-unix", "-L", f"module-null-sink sink_name=rec rate={rate}",
                    "--log-target=stderr"], env=env, check=True, capture_output=True)
    for _ in range(50):
        if subprocess.run(["pactl", "info"], env=env, capture_output=True).returncode == 0:
            subprocess.run(["pactl", "set-default-sink", "rec"], env=env, check=True)
            return env
        time.sleep(0.1)
    raise RuntimeError("the private sound server did not start")
