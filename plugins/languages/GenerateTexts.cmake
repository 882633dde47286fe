# Turns the texts table into the C++ source of the language library.
#
#   cmake -DINPUT=texts.tsv -DOUTPUT=Texts.cpp -DSTRINGS_PER_LANGUAGE=200 -P GenerateTexts.cmake
#
# The table is UTF-8, tab-separated, with a header row "id", then one column
# per language in language order. Each further row holds a string id and its
# text in every language; an empty cell leaves that text out. The file is
# read as bytes and every text byte is written as a \x escape, so no
# character of a text (quotes, backslashes, semicolons) can upset either
# CMake or the compiler.

cmake_minimum_required(VERSION 3.20)

foreach(var INPUT OUTPUT STRINGS_PER_LANGUAGE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "GenerateTexts.cmake: ${var} is not set")
  endif()
endforeach()

# " 69 64" -> "id" (ASCII cells only: ids and language codes).
function(hex_to_text hex out)
  set(text "")
  string(REGEX MATCHALL "[0-9a-f][0-9a-f]" bytes "${hex}")
  foreach(byte IN LISTS bytes)
    math(EXPR code "0x${byte}")
    if(code LESS 32 OR code GREATER 126)
      set(${out} "?" PARENT_SCOPE)
      return()
    endif()
    string(ASCII ${code} ch)
    string(APPEND text "${ch}")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Blanks around an id or a header cell do not count.
function(strip_blanks hex out)
  string(REGEX REPLACE "^( 20)+" "" hex "${hex}")
  string(REGEX REPLACE "( 20)+$" "" hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

file(READ "${INPUT}" content HEX)
# One token " xx" per byte, so that a separator byte can only match whole.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" " \\1" content "${content}")
string(REGEX REPLACE "^ ef bb bf" "" content "${content}")
string(REPLACE " 0d" "" content "${content}")
string(REPLACE " 0a" ";" lines "${content}")

set(line_number 0)
set(languages 0)
set(seen_ids "")
set(entries "")
set(count 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE " 09" ";" cells "${line}")
  list(LENGTH cells cell_count)
  list(GET cells 0 first)
  strip_blanks("${first}" first)
  hex_to_text("${first}" first_text)

  if(languages EQUAL 0)
    if(NOT first_text STREQUAL "id")
      message(FATAL_ERROR "${INPUT}:${line_number}: the header row must start with the column \"id\"")
    endif()
    math(EXPR languages "${cell_count} - 1")
    if(languages LESS 1 OR languages GREATER 127)
      message(FATAL_ERROR "${INPUT}:${line_number}: between 1 and 127 language columns are needed, found ${languages}")
    endif()
    set(codes "")
    foreach(i RANGE 1 ${languages})
      list(GET cells ${i} code_hex)
      strip_blanks("${code_hex}" code_hex)
      hex_to_text("${code_hex}" code)
      list(APPEND codes "${code}")
    endforeach()
    continue()
  endif()

  if(NOT first_text MATCHES "^[0-9]+$")
    message(FATAL_ERROR "${INPUT}:${line_number}: \"${first_text}\" is not a string id")
  endif()
  math(EXPR id "${first_text}")
  if(id GREATER_EQUAL STRINGS_PER_LANGUAGE)
    message(FATAL_ERROR "${INPUT}:${line_number}: string id ${id} is not below ${STRINGS_PER_LANGUAGE}")
  endif()
  if(id IN_LIST seen_ids)
    message(FATAL_ERROR "${INPUT}:${line_number}: string id ${id} appears twice")
  endif()
  list(APPEND seen_ids ${id})
  math(EXPR expected "${languages} + 1")
  if(cell_count GREATER expected)
    message(FATAL_ERROR "${INPUT}:${line_number}: ${cell_count} columns, the header has ${expected}")
  endif()

  math(EXPR last "${cell_count} - 1")
  foreach(language RANGE 1 ${last})
    list(GET cells ${language} cell)
    if(cell STREQUAL "")
      continue()
    endif()
    math(EXPR lang_index "${language} - 1")
    math(EXPR resource "${id} + ${lang_index} * ${STRINGS_PER_LANGUAGE}")
    list(GET codes ${lang_index} code)
    string(REPLACE " " "\\x" literal "${cell}")
    string(APPEND entries "    {${resource}, \"${literal}\"},  // id ${id}, ${code}\n")
    math(EXPR count "${count} + 1")
  endforeach()
endforeach()

if(languages EQUAL 0)
  message(FATAL_ERROR "${INPUT}: the table has no header row")
endif()
if(count EQUAL 0)
  set(entries "    {0, nullptr},\n")
endif()

get_filename_component(input_name "${INPUT}" NAME)
set(source "// Generated from ${input_name} by GenerateTexts.cmake.
// Edit the table, not this file.

#include \"Texts.h\"

namespace orv::plugins::languages {

const std::int8_t kLanguageCount = ${languages};
const std::int32_t kStringsPerLanguage = ${STRINGS_PER_LANGUAGE};

const TTextEntry kTextEntries[] = {
${entries}};

const std::size_t kTextEntryCount = ${count};

}  // namespace orv::plugins::languages
")

# Rewriting an unchanged file would rebuild the library for nothing.
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL source)
  file(WRITE "${OUTPUT}" "${source}")
endif()
