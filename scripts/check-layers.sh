#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the code breaks the folder layering or writes the song past its one editing door:
#   - song/ includes only song/ and base/; theory/ and tuning/ never name Guitar;
#   - every folder includes only folders below it in the order of src/README.md;
#   - only song/song_edit.cpp assigns to noteFret, noteDur, noteX, pageStart or noteCount;
#   - no folder has more functions taking the whole state (Guitar&) than its limit below;
#   - the command line's exports see neither the window state nor a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
report() { echo "$1"; echo "$2" | sed 's/^/    /'; bad=1; }

# Lower folders first; each folder of src/services is a layer of its own.
order=(base platform song formats core theory tuning config display playback practice listen editor lessons print app
  services/fluidsynth services/hearing services/rtmidi services/sound_module services/hearing_module services/qt ui)
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

# Functions defined in a folder (at the left margin of its .cpp and .h files) and how many of
# them take the whole state, Guitar& or const Guitar&: "<functions> <taking Guitar&>".
guitarTakers() {
  perl -e '
    my ($all, $taking) = (0, 0);
    for my $f (@ARGV) {
      local $/; open my $h, "<", $f or die "$f: $!"; my $t = <$h>;
      $t =~ s{//[^\n]*}{}g; $t =~ s{/\*.*?\*/}{}gs;
      while ($t =~ /^(?![ \t}#])(?!(?:namespace|struct|class|enum|using|return|if|for|while|switch)\b)[^;{}()=]*?\b\w+\s*\(([^;{}]*?)\)\s*(?:const\s*)?(?:noexcept\s*)?(?:->\s*[\w:<>]+\s*)?\{/mg) {
        $all++; $taking++ if $1 =~ /\bGuitar\s*&/;
      }
    }
    print "$all $taking\n";' "$@"
}
# The most functions taking Guitar& each folder may hold; a folder not named may hold none.
# Lower a limit when a folder passes narrower state instead, never raise it.
declare -A guitarLimit=([core]=3 [config]=11 [display]=38 [playback]=66 [practice]=4 [editor]=37 [lessons]=4
  [print]=7 [app]=102 [ui]=1)
grown=""
for folder in "${order[@]}"; do
  read -r _ taking < <(guitarTakers $(find "src/$folder" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \)))
  limit=${guitarLimit[$folder]:-0}
  [ "$taking" -le "$limit" ] || grown+="src/$folder: $taking functions take Guitar&, at most $limit may"$'\n'
done
[ -z "$grown" ] || report "functions taking the whole state grew (pass the parts they use):" "${grown%$'\n'}"

# The exports play the song model alone: the window state and the pictures stay out of reach.
exportFiles=(src/app/song_export.h src/app/song_export.cpp src/ui/export_run.h src/ui/export_run.cpp)
seen=""
reach() {
  local file=$1 inc
  case " $seen " in *" $file "*) return ;; esac
  seen+=" $file"
  for inc in $(grep -oE '#include "[a-z_]+/[a-z_/]+\.h' "$file" | sed 's/#include "//'); do
    [ -f "src/$inc" ] && reach "src/$inc"
  done
}
for f in "${exportFiles[@]}"; do reach "$f"; done
hits=$(tr ' ' '\n' <<<"$seen" | grep -E '^src/(core/guitar\.h|platform/picture\.h|display/)' || true)
[ -z "$hits" ] || report "the exports reach the window state or pictures through:" "$hits"

exit $bad
