// The language library: the number of languages, the size of each
// language's block of string ids and the numbered texts of texts.tsv.

#include <cstring>

#include "Texts.h"
#include "orv/plugins/Export.h"
#include "orv/plugins/Languagelibrary.h"

namespace {

using orv::plugins::languages::kTextEntries;
using orv::plugins::languages::kTextEntryCount;

const char* FindText(std::uint32_t resource) {
  for (std::size_t i = 0; i < kTextEntryCount; ++i) {
    if (kTextEntries[i].Resource == resource) return kTextEntries[i].Text;
  }
  return nullptr;
}

}  // namespace

ORV_PLUGIN_EXPORT void _MaxLanguages(std::int8_t* count) {
  if (count != nullptr) *count = orv::plugins::languages::kLanguageCount;
}

ORV_PLUGIN_EXPORT void _MaxStrings(std::int32_t* count) {
  if (count != nullptr) *count = orv::plugins::languages::kStringsPerLanguage;
}

ORV_PLUGIN_EXPORT std::int32_t _LoadString(std::uint32_t resource, char* buffer, std::int32_t size) {
  const char* text = FindText(resource);
  if (text == nullptr) return 0;
  const std::size_t length = std::strlen(text);
  if (buffer != nullptr && size > 0) {
    const std::size_t copied = length < static_cast<std::size_t>(size) ? length : static_cast<std::size_t>(size) - 1;
    std::memcpy(buffer, text, copied);
    buffer[copied] = '\0';
  }
  return static_cast<std::int32_t>(length);
}
