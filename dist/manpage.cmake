# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the manual page lutavo.1 from the program's own --help text, so that the two never
# disagree. The text is read as: the usage lines up to the first blank line, then paragraphs of
# description, then sections under a heading ending with a colon, whose entries start with two
# spaces and go on, indented further, on the lines after.
#
#   cmake -DPROGRAM=path/to/lutavo -DVERSION=x.y.z -DOUTPUT=lutavo.1 -P manpage.cmake

cmake_policy(VERSION 3.25)

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Text for roff: backslashes and minus signs escaped, a leading dot or quote kept as text.
function(roff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# An entry's term: its first word bold, its arguments italic.
function(roff_term out term)
  string(REGEX MATCH "^[^ ]+" word "${term}")
  string(LENGTH "${word}" length)
  string(SUBSTRING "${term}" ${length} -1 rest)
  string(STRIP "${rest}" rest)
  roff_text(word "${word}")
  roff_text(rest "${rest}")
  if(rest STREQUAL "")
    set(${out} "\\fB${word}\\fR" PARENT_SCOPE)
  else()
    set(${out} "\\fB${word}\\fR \\fI${rest}\\fR" PARENT_SCOPE)
  endif()
endfunction()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(synopsis "")
set(name "")
set(body "")
set(part synopsis)
foreach(line IN LISTS lines)
  if(part STREQUAL "synopsis")
    if(line STREQUAL "")
      set(part description)
      continue()
    endif()
    string(REGEX REPLACE "^(Usage:)? *lutavo *" "" args "${line}")
    roff_text(args "${args}")
    string(APPEND synopsis "\\fBlutavo\\fR ${args}\n")
  elseif(line MATCHES "^([A-Za-z][A-Za-z ]*):$")
    string(TOUPPER "${CMAKE_MATCH_1}" heading)
    string(APPEND body ".SH ${heading}\n")
    set(part section)
  elseif(part STREQUAL "description")
    if(line STREQUAL "")
      continue()
    endif()
    if(name STREQUAL "")
      # The first sentence says what the program is.
      string(REGEX MATCH "^[^.]+" name "${line}")
      string(TOLOWER "${name}" name)
      string(APPEND body ".SH DESCRIPTION\n")
    endif()
    roff_text(line "${line}")
    string(APPEND body "${line}\n")
  elseif(line MATCHES "^  [^ ]")
    # An entry: its term, then its text after two spaces or on the lines below.
    string(REGEX MATCH "^  ([^ ]+( [^ ]+)*)(  +(.*))?$" entry "${line}")
    roff_term(term "${CMAKE_MATCH_1}")
    string(APPEND body ".TP\n${term}\n")
    if(NOT CMAKE_MATCH_4 STREQUAL "")
      roff_text(text "${CMAKE_MATCH_4}")
      string(APPEND body "${text}\n")
    endif()
  elseif(line MATCHES "^   +(.*)$")
    roff_text(text "${CMAKE_MATCH_1}")
    string(APPEND body "${text}\n")
  endif()
endforeach()

file(WRITE ${OUTPUT} ".TH LUTAVO 1 \"\" \"lutavo ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\nlutavo \\- ${name}\n.SH SYNOPSIS\n.nf\n${synopsis}.fi\n${body}")
