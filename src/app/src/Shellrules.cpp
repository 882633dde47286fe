#include "orv/app/Shellrules.h"

#include <cstdio>

#include "orv/Version.h"

namespace orv::app {

std::string PortName(int index) {
  static const char* const kNames[] = {"COM1", "COM2", "COM3", "COM4", "USB"};
  if (index < 0 || index > 4) return "USB";
  return kNames[index];
}

std::string PortStatusText(int index) { return "PORT: " + PortName(index); }

int LanguageButtonSpacing(int screenWidth) { return screenWidth * 20 / 800; }

std::vector<TLanguageButtonPlace> LanguageButtonPlaces(int count, int screenWidth, int scrollBoxWidth,
                                                       bool scrollBarShown) {
  const int s = LanguageButtonSpacing(screenWidth);
  const int left = (scrollBoxWidth - kLanguageButtonSize) / (scrollBarShown ? 3 : 2);
  std::vector<TLanguageButtonPlace> places;
  for (int i = 0; i < count; ++i) places.push_back({left, (s + kLanguageButtonSize) * i + s});
  return places;
}

bool LanguageButtonsOverflow(int count, int screenWidth, int scrollBoxHeight) {
  if (count <= 0) return false;
  const int s = LanguageButtonSpacing(screenWidth);
  const int bottom = (s + kLanguageButtonSize) * (count - 1) + s + kLanguageButtonSize;
  constexpr int kVerticalMargin = 20;
  return bottom + kVerticalMargin > scrollBoxHeight;
}

std::string LanguageHint(const std::string& languageName) {
  std::string hint = languageName;
  const auto pos = hint.find('&');
  if (pos != std::string::npos) hint.erase(pos, 1);
  return hint;
}

int MainLabelsLeft(int windowWidth, int configButtonWidth, int widestLabel, int scrollBoxWidth) {
  return (windowWidth + configButtonWidth - widestLabel - scrollBoxWidth) / 2;
}

std::optional<std::string> TVersionRecord::Query(const std::string& path) const {
  for (const auto& [key, value] : Strings) {
    if (key == path) return value;
  }
  return std::nullopt;
}

TVersionRecord ProgramVersionRecord() {
  // Italian with the Western code page, as the program's record has always
  // been written; the file version in four parts.
  TVersionRecord record;
  record.Translations.push_back({0x0410, 0x04E4});
  record.Strings.emplace_back("\\StringFileInfo\\041004e4\\FileVersion", std::string(kProgramVersion) + ".0");
  record.Strings.emplace_back("\\StringFileInfo\\041004e4\\ProductName", "orvconfig");
  return record;
}

std::string VersionFromRecord(const std::optional<TVersionRecord>& record) {
  const std::string notAvailable = "not available";
  if (!record || record->Translations.empty()) return notAvailable;
  const auto& t = record->Translations.front();
  char digits[9];
  std::snprintf(digits, sizeof digits, "%04x%04x", t.Language & 0xFFFFu, t.CodePage & 0xFFFFu);
  const auto version = record->Query(std::string("\\StringFileInfo\\") + digits + "\\FileVersion");
  if (!version || version->empty()) return notAvailable;
  return *version;
}

std::string AboutVersionLine(const std::string& versionWord, const std::optional<TVersionRecord>& record) {
  return versionWord + " " + VersionFromRecord(record) + " ";
}

}  // namespace orv::app
