#pragma once
// The language library ("Dizionario/Languages"): the number of languages, the
// size of each language's block of string ids, and the text of one resource
// number (string id + language x strings per language), standing in for
// string resources. Texts are UTF-8.

#include <cstdint>

namespace orv::plugins {

using MaxLanguagesFn = void (*)(std::int8_t* count);
using MaxStringsFn = void (*)(std::int32_t* count);
// Copies the UTF-8 text of the resource into buffer (at most size - 1 bytes,
// always NUL-terminated when size > 0) and returns the text's full length in
// bytes, or 0 when the resource does not exist.
using LoadStringFn = std::int32_t (*)(std::uint32_t resource, char* buffer, std::int32_t size);

inline constexpr const char* kMaxLanguages = "_MaxLanguages";
inline constexpr const char* kMaxStrings = "_MaxStrings";
inline constexpr const char* kLoadString = "_LoadString";

}  // namespace orv::plugins
