#include "orv/platform/IniStore.h"

#include <algorithm>

#include "orv/platform/Component.h"
#include "orv/platform/NumberText.h"

namespace orv::platform {

bool TCustomIniFile::SectionExists(const std::string& section) {
  std::vector<std::string> names;
  ReadSections(names);
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, section); });
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& key) {
  std::vector<std::string> names;
  ReadSection(section, names);
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, key); });
}

long TCustomIniFile::ReadInteger(const std::string& section, const std::string& key, long defaultValue) {
  return StrToIntDef(ReadString(section, key, ""), defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& key, long value) {
  WriteString(section, key, std::to_string(value));
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& key, double defaultValue) {
  return TryStrToFloat(ReadString(section, key, ""), DecimalSeparator()).value_or(defaultValue);
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
  WriteString(section, key, FloatToStr(value, DecimalSeparator()));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace orv::platform
