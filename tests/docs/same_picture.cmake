# The picture docs/architecture.md shows (COMMITTED) is the one its text source draws (BUILT):
# byte for byte when the same Graphviz version drew both, else the same words (another version
# places and orders the boxes a little otherwise and escapes other signs, but a changed source
# changes its words).
#   cmake -DCOMMITTED=docs/frame_step.svg -DBUILT=build/docs/frame_step.svg -P same_picture.cmake
cmake_minimum_required(VERSION 3.16)
file(READ ${COMMITTED} committed)
file(READ ${BUILT} built)
string(REGEX MATCH "graphviz version [^\n]*" committedVersion "${committed}")
string(REGEX MATCH "graphviz version [^\n]*" builtVersion "${built}")
if(committedVersion STREQUAL builtVersion)
  if(NOT committed STREQUAL built)
    message(FATAL_ERROR "${COMMITTED} is not what docs/frame_step.dot draws: copy ${BUILT} over it")
  endif()
  return()
endif()
string(REGEX MATCHALL "<text[^>]*>[^<]*</text>" committedTexts "${committed}")
string(REGEX MATCHALL "<text[^>]*>[^<]*</text>" builtTexts "${built}")
string(REGEX REPLACE "<text[^>]*>" "" committedTexts "${committedTexts}")
string(REGEX REPLACE "<text[^>]*>" "" builtTexts "${builtTexts}")
foreach(texts committedTexts builtTexts)
  string(REPLACE "&#45;" "-" ${texts} "${${texts}}")
  string(REPLACE "&#39;" "'" ${texts} "${${texts}}")
  string(REPLACE "&quot;" "\"" ${texts} "${${texts}}")
  string(REPLACE "&lt;" "<" ${texts} "${${texts}}")
  string(REPLACE "&gt;" ">" ${texts} "${${texts}}")
  string(REPLACE "&amp;" "&" ${texts} "${${texts}}")
  list(SORT ${texts})
endforeach()
if(NOT committedTexts STREQUAL builtTexts)
  message(FATAL_ERROR "${COMMITTED} (${committedVersion}) has other words than what docs/frame_step.dot draws "
                      "with ${builtVersion}: copy ${BUILT} over it")
endif()
message(STATUS "the same words as docs/frame_step.dot draws (${committedVersion} beside ${builtVersion})")
