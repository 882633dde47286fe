#include "orv/i18n/Settingsstore.h"

#include <cctype>
#include <utility>

namespace orv::i18n {

std::string TMemorySettingsStore::Fold(const std::string& text) {
  std::string folded;
  folded.reserve(text.size());
  for (char c : text) folded.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return folded;
}

std::string TMemorySettingsStore::FoldKey(const std::string& key) {
  // Both separators name the same levels; separators at the ends do not count.
  std::string folded = Fold(key);
  for (char& c : folded) {
    if (c == '/') c = '\\';
  }
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  while (!folded.empty() && folded.front() == '\\') folded.erase(folded.begin());
  return folded;
}

bool TMemorySettingsStore::OpenKey(const std::string& key, bool create) {
  CloseKey();
  if (FailOpen) return false;
  const std::string folded = FoldKey(key);
  if (FKeys.find(folded) == FKeys.end()) {
    if (!create) return false;
    FKeys[folded];
  }
  FOpenKey = folded;
  FOpen = true;
  return true;
}

void TMemorySettingsStore::CloseKey() {
  FOpen = false;
  FOpenKey.clear();
}

TMemorySettingsStore::TKey* TMemorySettingsStore::OpenValues() {
  if (!FOpen) return nullptr;
  auto it = FKeys.find(FOpenKey);
  return it != FKeys.end() ? &it->second : nullptr;
}

const TMemorySettingsStore::TKey* TMemorySettingsStore::OpenValues() const {
  if (!FOpen) return nullptr;
  auto it = FKeys.find(FOpenKey);
  return it != FKeys.end() ? &it->second : nullptr;
}

bool TMemorySettingsStore::ValueExists(const std::string& name) const {
  const TKey* values = OpenValues();
  return values != nullptr && values->count(Fold(name)) != 0;
}

TSettingsRead TMemorySettingsStore::ReadString(const std::string& name, std::string& value) const {
  const TKey* values = OpenValues();
  if (values == nullptr) return srMissing;
  auto it = values->find(Fold(name));
  if (it == values->end()) return srMissing;
  const auto* text = std::get_if<std::string>(&it->second);
  if (text == nullptr) return srWrongType;
  value = *text;
  return srOk;
}

TSettingsRead TMemorySettingsStore::ReadInteger(const std::string& name, std::int32_t& value) const {
  const TKey* values = OpenValues();
  if (values == nullptr) return srMissing;
  auto it = values->find(Fold(name));
  if (it == values->end()) return srMissing;
  const auto* number = std::get_if<std::int32_t>(&it->second);
  if (number == nullptr) return srWrongType;
  value = *number;
  return srOk;
}

bool TMemorySettingsStore::WriteString(const std::string& name, const std::string& value) {
  TKey* values = OpenValues();
  if (values == nullptr || FailWrites) return false;
  (*values)[Fold(name)] = value;
  return true;
}

bool TMemorySettingsStore::WriteInteger(const std::string& name, std::int32_t value) {
  TKey* values = OpenValues();
  if (values == nullptr || FailWrites) return false;
  (*values)[Fold(name)] = value;
  return true;
}

bool TMemorySettingsStore::DeleteValue(const std::string& name) {
  TKey* values = OpenValues();
  if (values == nullptr || FailWrites) return false;
  return values->erase(Fold(name)) != 0;
}

bool TMemorySettingsStore::HasKey(const std::string& key) const { return FKeys.count(FoldKey(key)) != 0; }

void TMemorySettingsStore::Put(const std::string& key, const std::string& name, TValue value) {
  FKeys[FoldKey(key)][Fold(name)] = std::move(value);
}

const TMemorySettingsStore::TValue* TMemorySettingsStore::Find(const std::string& key, const std::string& name) const {
  auto it = FKeys.find(FoldKey(key));
  if (it == FKeys.end()) return nullptr;
  auto value = it->second.find(Fold(name));
  return value != it->second.end() ? &value->second : nullptr;
}

}  // namespace orv::i18n
