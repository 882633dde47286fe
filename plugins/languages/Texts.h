#pragma once
// The language library's texts, generated from texts.tsv: one entry per
// text, its resource number being string id + language x strings per language.

#include <cstddef>
#include <cstdint>

namespace orv::plugins::languages {

struct TTextEntry {
  std::uint32_t Resource;
  const char* Text;  // UTF-8
};

extern const std::int8_t kLanguageCount;
extern const std::int32_t kStringsPerLanguage;
extern const TTextEntry kTextEntries[];
extern const std::size_t kTextEntryCount;

}  // namespace orv::plugins::languages
