# Writes the fuzz target's dictionary: the hand-written entries of
# command.dict, then the language's keywords (KEYWORD("...") in src/lex.cpp)
# and the type words, parameter names and defaults (the string literals of
# src/Definitions.cpp), so new types and parameters reach the fuzzer as
# soon as they are registered.
#   cmake -DSOURCE_DIR=<repo> -DOUTPUT=<file> -P MakeDictionary.cmake

file(READ "${SOURCE_DIR}/tests/fuzz/command.dict" dictionary)
string(APPEND dictionary "\n# Generated from src/lex.cpp and src/Definitions.cpp\n")

function(append_words source pattern)
  file(READ "${source}" text)
  string(REGEX MATCHALL "${pattern}" matches "${text}")
  list(REMOVE_DUPLICATES matches)
  foreach(match IN LISTS matches)
    string(REGEX REPLACE "${pattern}" "\\1" word "${match}")
    if(NOT word STREQUAL "" AND NOT word MATCHES "\\.h$")
      string(APPEND dictionary "\"${word}\"\n")
    endif()
  endforeach()
  set(dictionary "${dictionary}" PARENT_SCOPE)
endfunction()

append_words("${SOURCE_DIR}/src/lex.cpp" "KEYWORD\\(\"([A-Za-z]+)\"")
append_words("${SOURCE_DIR}/src/Definitions.cpp" "\"([A-Za-z0-9_.]*)\"")

file(WRITE "${OUTPUT}.tmp" "${dictionary}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
