# orv_embed_text(<target> <function> <file>): compiles a text file into
# <target> as `std::string_view <function>()` (in namespace orv::resources),
# so stored descriptions travel inside the program.
function(orv_embed_text target function file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} text)
  if(text MATCHES "\\)orvtext\"")
    message(FATAL_ERROR "${file} holds the literal delimiter )orvtext\"")
  endif()
  # Pieces of at most about 8000 characters, cut at line ends, to stay
  # within the compilers' limits on one string literal.
  set(pieces "")
  string(LENGTH "${text}" left)
  while(left GREATER 0)
    if(left GREATER 8000)
      string(SUBSTRING "${text}" 0 8000 head)
      string(FIND "${head}" "\n" cut REVERSE)
      if(cut LESS 0)
        set(cut 7999)
      endif()
      math(EXPR cut "${cut} + 1")
    else()
      set(cut ${left})
    endif()
    string(SUBSTRING "${text}" 0 ${cut} piece)
    string(SUBSTRING "${text}" ${cut} -1 text)
    string(APPEND pieces "R\"orvtext(${piece})orvtext\"\n")
    string(LENGTH "${text}" left)
  endwhile()
  if(pieces STREQUAL "")
    set(pieces "\"\"")
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/${function}.cpp)
  file(WRITE ${out}.tmp "// Generated from ${file}; edit that file instead.
#include <string_view>

namespace orv::resources {

std::string_view ${function}() {
  static constexpr char kText[] =
${pieces};
  return std::string_view(kText, sizeof kText - 1);
}

}  // namespace orv::resources
")
  # Rewritten only when the text changed, so builds stay incremental.
  file(COPY_FILE ${out}.tmp ${out} ONLY_IF_DIFFERENT)
  target_sources(${target} PRIVATE ${out})
endfunction()
