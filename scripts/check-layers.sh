#!/usr/bin/env bash
# Fails when the code breaks the folder layering or writes the song past its one editing door:
#   - song/ includes only song/ and base/; theory/ and tuning/ never name Guitar;
#   - every folder includes only folders below it in the order of src/README.md;
#   - only song/song_edit.cpp assigns to noteFret, noteDur, noteX, pageStart or noteCount.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
report() { echo "$1"; echo "$2" | sed 's/^/    /'; bad=1; }

# Lower folders first; each folder of src/services is a layer of its own.
order=(base platform song core theory tuning config display playback editor lessons print app
  services/fluidsynth services/rtmidi services/qt ui)
declare -A rank
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done
folderOf() {
  case "$1" in
    services/*/*) echo "${1%/*}" ;;
    */*) echo "${1%%/*}" ;;
    *) echo main ;;
  esac
}
layering=""
while IFS=: read -r file line include; do
  from=$(folderOf "${file#src/}")
  to=$(folderOf "$include")
  [ "$from" = main ] && continue
  if [ -z "${rank[$from]:-}" ] || [ -z "${rank[$to]:-}" ] || [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
    layering+="$file:$line: $from includes $include"$'\n'
  fi
done < <(grep -rnoE '#include "[a-z_]+/[a-z_/]+\.h' src | sed -E 's/#include "//')
[ -z "$layering" ] || report "a folder includes a folder above it:" "${layering%$'\n'}"

hits=$(grep -rnE '#include "' src/song | grep -vE '#include "(song|base)/' || true)
[ -z "$hits" ] || report "song/ reaches outside song/ and base/:" "$hits"

hits=$(grep -rnw 'Guitar' src/theory src/tuning || true)
[ -z "$hits" ] || report "theory/ or tuning/ names Guitar:" "$hits"

assign='(\b(noteFret|noteDur|noteX|pageStart)\b(\[[^]]*\]|\([^)]*\))|\bnoteCount\b)[[:space:]]*([-+*/]?=[^=]|\+\+|--)|(\+\+|--)[[:space:]]*[a-z.]*\bnoteCount\b|[ir]16&[[:space:]]*[a-z]+[[:space:]]*=[[:space:]]*[a-z.]*(noteFret|noteDur|noteX|pageStart)'
hits=$(grep -rnE "$assign" src --include='*.cpp' --include='*.h' | grep -vE '^src/song/song_edit.cpp:|^src/song/song_model.h:[0-9]+:[[:space:]]*i16 noteCount = 0;' || true)
[ -z "$hits" ] || report "the song is written outside song/song_edit.cpp:" "$hits"

exit $bad
