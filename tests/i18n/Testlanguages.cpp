// A language library with computable texts: resource r answers "R<r>",
// string id 0 of language n answers "Lang<n>", string id 7 has no text in
// any language, string id 199 of language 0 is 300 characters of "è" and id
// 198 of language 0 is empty. The counts come from the build.

#include <cstring>
#include <string>

#include "orv/plugins/Export.h"
#include "orv/plugins/Languagelibrary.h"

namespace {

constexpr std::uint32_t kBlock = TEST_STRINGS > 0 ? TEST_STRINGS : 1;

std::string TextOf(std::uint32_t resource) {
  const std::uint32_t id = resource % kBlock;
  if (kBlock == 200 && id == 7) return {};
  if (resource == 199) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "\xC3\xA8";
    return text;
  }
  if (resource == 198) return {};
  if (kBlock == 200 && id == 0) return "Lang" + std::to_string(resource / kBlock);
  return "R" + std::to_string(resource);
}

}  // namespace

ORV_PLUGIN_EXPORT void _MaxLanguages(std::int8_t* count) { *count = TEST_LANGUAGES; }

#ifndef TEST_NO_MAX_STRINGS
ORV_PLUGIN_EXPORT void _MaxStrings(std::int32_t* count) { *count = TEST_STRINGS; }
#endif

ORV_PLUGIN_EXPORT std::int32_t _LoadString(std::uint32_t resource, char* buffer, std::int32_t size) {
  const std::string text = TextOf(resource);
  if (size > 0) {
    const std::size_t copied =
        text.size() < static_cast<std::size_t>(size) ? text.size() : static_cast<std::size_t>(size) - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<std::int32_t>(text.size());
}
