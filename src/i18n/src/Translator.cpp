#include "orv/i18n/Translator.h"

#include <array>
#include <cstring>

namespace orv::i18n {

namespace {

// Room for kMaxTextLength characters of up to four UTF-8 bytes each.
constexpr std::int32_t kBufferBytes = TTranslator::kMaxTextLength * 4 + 1;

bool IsContinuation(unsigned char c) { return (c & 0xC0u) == 0x80u; }

// Length of the UTF-8 sequence a lead byte announces (1 for a stray byte).
std::size_t SequenceLength(unsigned char c) {
  if (c >= 0xF0u && c <= 0xF7u) return 4;
  if (c >= 0xE0u) return c <= 0xEFu ? 3 : 1;
  if (c >= 0xC0u) return 2;
  return 1;
}

// Drops a multi-byte sequence that a too small buffer cut in two.
void DropIncompleteTail(std::string& text) {
  std::size_t start = text.size();
  while (start > 0 && text.size() - start < 4 && IsContinuation(static_cast<unsigned char>(text[start - 1]))) --start;
  if (start == 0) return;
  const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
  const std::size_t need = SequenceLength(lead);
  if (need > 1 && text.size() - (start - 1) < need) text.resize(start - 1);
}

}  // namespace

std::string Utf8Left(const std::string& text, int maxLength) {
  if (maxLength <= 0) return text;
  std::size_t pos = 0;
  for (int count = 0; pos < text.size() && count < maxLength; ++count) {
    ++pos;
    while (pos < text.size() && IsContinuation(static_cast<unsigned char>(text[pos]))) ++pos;
  }
  return text.substr(0, pos);
}

TTranslator::TTranslator(platform::TComponent* owner) : platform::TComponent(owner) { SetIsUnicode(true); }

TTranslator::~TTranslator() { UnloadLanguageLibrary(); }

void TTranslator::SetIsUnicode(bool value) {
  // There is neither a wide-character loader nor a compatibility library to
  // take or release: the library answers UTF-8 on every platform.
  FIsUnicode = value;
}

void TTranslator::SetDllName(const std::string& value) {
  if (value == FDllName) return;
  FDllName = value;
  if (!IsDesigning() && FLibrary.IsLoaded()) LoadLanguageLibrary();
}

bool TTranslator::LoadLanguageLibrary() {
  UnloadLanguageLibrary();
  FLastError.clear();
  if (FLibrary.Load(FDllName)) {
    if (auto maxLanguages = FLibrary.Function<plugins::MaxLanguagesFn>(plugins::kMaxLanguages)) {
      std::int8_t count = 1;
      maxLanguages(&count);
      // A library that claims no languages still has the texts of one.
      FLanguageCount = count >= 1 ? count : std::int8_t{1};
    }
    if (auto maxStrings = FLibrary.Function<plugins::MaxStringsFn>(plugins::kMaxStrings)) {
      std::int32_t count = 1;
      maxStrings(&count);
      // A block of no strings would put every language on the same
      // resources; one string per language keeps the numbering sound.
      FStringsPerLanguage = count >= 1 ? static_cast<int>(count) : 1;
    }
    FLoadString = FLibrary.Function<plugins::LoadStringFn>(plugins::kLoadString);
  } else {
    FLastError = FLibrary.LastError();
  }
  if (FCurrentLanguage >= FLanguageCount) FCurrentLanguage = FLanguageCount - 1;
  return FLibrary.IsLoaded();
}

void TTranslator::UnloadLanguageLibrary() {
  FLoadString = nullptr;
  FLibrary.Unload();
  FLanguageCount = 1;
  FStringsPerLanguage = 1;
}

void TTranslator::SetLanguage(int index) {
  if (index >= 0 && index < FLanguageCount) FCurrentLanguage = index;
}

std::string TTranslator::LoadResource(long long resource) const {
  if (FLoadString == nullptr || resource < 0 || resource > 0xFFFFFFFFLL) return {};
  std::array<char, kBufferBytes> buffer{};
  const std::int32_t length = FLoadString(static_cast<std::uint32_t>(resource), buffer.data(), kBufferBytes);
  if (length <= 0) return {};
  // The library's own length is not trusted beyond the buffer.
  buffer.back() = '\0';
  std::string text(buffer.data(), ::strnlen(buffer.data(), buffer.size()));
  DropIncompleteTail(text);
  return Utf8Left(text, kMaxTextLength);
}

std::string TTranslator::DoMissingString(int id) {
  std::string text;
  if (OnMissingString) OnMissingString(this, id, text);
  return text;
}

std::string TTranslator::GetString(int id, int maxLength) {
  const long long resource =
      static_cast<long long>(id) + static_cast<long long>(FCurrentLanguage) * FStringsPerLanguage;
  std::string text = LoadResource(resource);
  if (text.empty()) text = DoMissingString(id);
  return Utf8Left(text, maxLength);
}

std::string TTranslator::GetLanguageName(int index) {
  if (index < 0 || index >= FLanguageCount) return DoMissingString(0);
  std::string text = LoadResource(static_cast<long long>(index) * FStringsPerLanguage);
  if (text.empty()) text = DoMissingString(0);
  return text;
}

}  // namespace orv::i18n
