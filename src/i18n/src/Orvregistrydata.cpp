#include "orv/i18n/Orvregistrydata.h"

#include <charconv>
#include <cstdint>

namespace orv::i18n {

namespace {

using TLines = std::vector<std::string>;

// Line lists compare names without case, as the registry does.
std::string NameOf(const std::string& line) { return line.substr(0, line.find('=')); }

std::string ValueOf(const std::string& line) {
  const std::size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int IndexOfName(const TLines& lines, const std::string& name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('=') != std::string::npos && platform::SameName(NameOf(lines[i]), name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

TLines CleanLines(const TLines& lines) {
  TLines result;
  for (const std::string& line : lines) {
    if (line.find('=') != std::string::npos) result.push_back(Trim(line));
  }
  return result;
}

void SetValue(TLines& lines, const std::string& name, const std::string& value) {
  const int index = IndexOfName(lines, name);
  if (index < 0) {
    lines.push_back(name + "=" + value);
  } else if (value.empty()) {
    lines.erase(lines.begin() + index);
  } else {
    lines[static_cast<std::size_t>(index)] = NameOf(lines[static_cast<std::size_t>(index)]) + "=" + value;
  }
}

std::string GetValue(const TLines& lines, const std::string& name) {
  const int index = IndexOfName(lines, name);
  return index < 0 ? std::string() : ValueOf(lines[static_cast<std::size_t>(index)]);
}

void RemoveName(TLines& lines, const std::string& name) {
  const int index = IndexOfName(lines, name);
  if (index >= 0) lines.erase(lines.begin() + index);
}

// Every write goes to an opened key and is followed by closing it.
class TOpenKey {
 public:
  TOpenKey(ISettingsStore& store, const std::string& key, bool create)
      : FStore(store), FOpen(store.OpenKey(key, create)) {}
  ~TOpenKey() {
    if (FOpen) FStore.CloseKey();
  }
  TOpenKey(const TOpenKey&) = delete;
  TOpenKey& operator=(const TOpenKey&) = delete;
  bool IsOpen() const { return FOpen; }

 private:
  ISettingsStore& FStore;
  bool FOpen;
};

}  // namespace

bool TryParseDecimal(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {
    ++first;
    if (first == last || *first == '-') return false;
  }
  if (first == last || *first == '+') return false;
  std::int32_t parsed = 0;
  const auto [end, error] = std::from_chars(first, last, parsed);
  if (error != std::errc() || end != last) return false;
  value = parsed;
  return true;
}

TOrvRegistryData::TOrvRegistryData(platform::TComponent* owner) : platform::TComponent(owner) {}

TOrvRegistryData::~TOrvRegistryData() {
  if (!IsDesigning()) SaveData();
}

void TOrvRegistryData::SetStringDataList(const std::vector<std::string>& lines) { FStringDataList = CleanLines(lines); }

void TOrvRegistryData::SetIntegerDataList(const std::vector<std::string>& lines) {
  FIntegerDataList = CleanLines(lines);
  for (std::string& line : FIntegerDataList) {
    int number = 0;
    if (!TryParseDecimal(ValueOf(line), number)) line = NameOf(line) + "=0";
  }
}

bool TOrvRegistryData::LoadData() {
  if (FKeyName.empty() || FStore == nullptr) return false;
  TOpenKey key(*FStore, FKeyName, true);
  if (!key.IsOpen()) return false;
  // By index: a missing-value handler may change the lists.
  bool result = true;
  for (std::size_t i = 0; i < FStringDataList.size(); ++i) {
    const std::string name = NameOf(FStringDataList[i]);
    std::string value;
    const TSettingsRead read = FStore->ReadString(name, value);
    if (read == srWrongType) {
      // A value of the other type is damaged data, not a reason to stop the
      // program: the setting keeps its list value.
      result = false;
      continue;
    }
    if (read == srMissing) {
      value = DoMissingStringValue(name);
      result = false;
    }
    if (i < FStringDataList.size()) FStringDataList[i] = name + "=" + value;
  }
  for (std::size_t i = 0; i < FIntegerDataList.size(); ++i) {
    const std::string name = NameOf(FIntegerDataList[i]);
    std::int32_t value = 0;
    const TSettingsRead read = FStore->ReadInteger(name, value);
    if (read == srWrongType) {
      result = false;
      continue;
    }
    if (read == srMissing) {
      value = DoMissingIntegerValue(name);
      result = false;
    }
    if (i < FIntegerDataList.size()) FIntegerDataList[i] = name + "=" + std::to_string(value);
  }
  return result;
}

bool TOrvRegistryData::SaveData() {
  if (FKeyName.empty() || FStore == nullptr) return false;
  TOpenKey key(*FStore, FKeyName, true);
  if (!key.IsOpen()) return false;
  bool result = true;
  for (const std::string& line : FStringDataList) {
    if (!FStore->WriteString(NameOf(line), ValueOf(line))) result = false;
  }
  for (const std::string& line : FIntegerDataList) {
    int value = 0;
    if (!TryParseDecimal(ValueOf(line), value) || !FStore->WriteInteger(NameOf(line), value)) result = false;
  }
  return result;
}

void TOrvRegistryData::SetStringData(const std::string& name, const std::string& value) {
  SetValue(FStringDataList, name, value);
}

void TOrvRegistryData::SetIntData(const std::string& name, int value) {
  SetValue(FIntegerDataList, name, std::to_string(value));
}

std::string TOrvRegistryData::GetStringData(const std::string& name) const { return GetValue(FStringDataList, name); }

int TOrvRegistryData::GetIntData(const std::string& name) const {
  int value = 0;
  return TryParseDecimal(GetValue(FIntegerDataList, name), value) ? value : 0;
}

int TOrvRegistryData::GetCount(int kind) const {
  if (kind == kRegistryStringData) return static_cast<int>(FStringDataList.size());
  if (kind == kRegistryIntegerData) return static_cast<int>(FIntegerDataList.size());
  return 0;
}

void TOrvRegistryData::DeleteStoredValue(const std::string& name) {
  if (FKeyName.empty() || FStore == nullptr) return;
  TOpenKey key(*FStore, FKeyName, false);
  if (key.IsOpen()) FStore->DeleteValue(name);
}

void TOrvRegistryData::DeleteStringValue(const std::string& name, bool fromRegistry) {
  RemoveName(FStringDataList, name);
  if (fromRegistry) DeleteStoredValue(name);
}

void TOrvRegistryData::DeleteIntegerValue(const std::string& name, bool fromRegistry) {
  RemoveName(FIntegerDataList, name);
  if (fromRegistry) DeleteStoredValue(name);
}

std::string TOrvRegistryData::DoMissingStringValue(const std::string& name) {
  std::string value = GetStringData(name);
  if (OnMissingStringValue) OnMissingStringValue(this, name, value);
  return value;
}

int TOrvRegistryData::DoMissingIntegerValue(const std::string& name) {
  int value = GetIntData(name);
  if (OnMissingIntegerValue) OnMissingIntegerValue(this, name, value);
  return value;
}

}  // namespace orv::i18n
