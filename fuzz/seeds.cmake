# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the program's files into one seed folder per fuzz target, fresh on every build.
# -DSOURCE: the repository's data folder; -DDATA: the built data folder (with the generated
# clips); -DSEEDS: where the seed folders go.
file(REMOVE_RECURSE ${SEEDS})
file(GLOB_RECURSE songs ${SOURCE}/*.snx ${SOURCE}/*.SNG)
file(GLOB_RECURSE lessons ${SOURCE}/*.LSN)
file(GLOB_RECURSE configs ${SOURCE}/*.cfg)
file(GLOB_RECURSE clips ${DATA}/*.wav)
foreach(target song_reader song_round_trip)
  file(COPY ${songs} DESTINATION ${SEEDS}/${target})
endforeach()
file(COPY ${lessons} DESTINATION ${SEEDS}/lesson_reader)
file(COPY ${configs} DESTINATION ${SEEDS}/config_reader)
file(COPY ${clips} DESTINATION ${SEEDS}/wav_clip)
# The editor's inputs are runs of actions: a few long random runs let the fuzzer start deep in a
# session rather than growing one from a single action.
set(alphabet "!#$%&()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_abcdefghijklmnopqrstuvwxyz{|}~")
foreach(seed 1 2 3 4 5 6 7)
  math(EXPR length "${seed} * 60")
  string(RANDOM LENGTH ${length} ALPHABET "${alphabet}" RANDOM_SEED ${seed} actions)
  file(WRITE ${SEEDS}/editor_session/session${seed} "${actions}")
endforeach()
