#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one fuzz target from its seed corpus: scripts/fuzz.sh TARGET [SECONDS] (default 60).
# Builds the `fuzz` preset first unless LUTAVO_FUZZ_PREBUILT=1. What the run learns is kept in
# build-fuzz/fuzz-corpus/TARGET, any failing input in build-fuzz/fuzz-findings/TARGET, and the
# log in build-fuzz/fuzz-logs/TARGET.log. Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

targets="song_reader song_round_trip config_reader wav_clip lesson_reader"
targets+=" musicxml_reader binary_tab_reader text_tab_reader"
targets+=" editor_session"
target="${1:-}"
seconds="${2:-60}"
if [[ " $targets " != *" $target "* ]]; then
  echo "usage: scripts/fuzz.sh TARGET [SECONDS]; TARGET is one of: $targets" >&2
  exit 2
fi

# The largest input worth trying: a little above the largest real file of each kind.
case "$target" in
  song_reader) max_len=8192 dict=song ;;
  song_round_trip) max_len=4096 dict=song ;;
  config_reader) max_len=2048 dict=config ;;
  wav_clip) max_len=8192 dict=wav ;;
  lesson_reader) max_len=4096 dict=lesson ;;
  musicxml_reader) max_len=16384 dict=musicxml ;;
  binary_tab_reader) max_len=8192 dict=binary_tab ;;
  text_tab_reader) max_len=4096 dict=text_tab ;;
  # One byte or three an action: a few hundred actions, tried long from the start, as the faults
  # of an editing session come after runs of actions.
  editor_session) max_len=1024 dict= grow=-len_control=0 ;;
esac

build=build-fuzz
if [ "${LUTAVO_FUZZ_PREBUILT:-0}" != 1 ]; then
  [ -f "$build/build.ninja" ] || cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz >/dev/null
fi

corpus="$build/fuzz-corpus/$target"
findings="$build/fuzz-findings/$target"
log="$build/fuzz-logs/$target.log"
mkdir -p "$corpus" "$findings" "$(dirname "$log")"

# The targets write and read their files many times a second: in memory when the machine can.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
status=0
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
  ${dict:+-dict="fuzz/$dict.dict"} ${grow:-} -artifact_prefix="$findings/" -print_final_stats=1 \
  "$corpus" "$build/fuzz-seeds/$target" >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ]; then
  tail -n 60 "$log" >&2
  # The failing input in the log itself, so that a finding on another machine can be replayed.
  for input in "$findings"/*; do
    [ -f "$input" ] && echo "fuzz: input $(basename "$input"), base64: $(base64 -w0 "$input")" >&2
  done
  echo "fuzz: $target found a fault (input in $findings/, log $log)" >&2
  exit 1
fi
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
echo "fuzz: $target ran ${seconds}s, ${execs:-?} inputs, no finding: $last"
