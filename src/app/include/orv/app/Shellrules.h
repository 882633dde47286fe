#pragma once
// The main window's rules that are plain arithmetic or text: port names,
// the language buttons' layout, their hints, the labels' common left, and
// the about box's version line. Pure functions, tested with tables.

#include <optional>
#include <string>
#include <vector>

namespace orv::app {

// Port name by the index the communication library reports: 0..3 "COM1" to
// "COM4", 4 and every other index "USB".
std::string PortName(int index);
// "PORT: " followed by the port name.
std::string PortStatusText(int index);

// Position of one language button inside the scroll box.
struct TLanguageButtonPlace {
  int Left;
  int Top;
};
inline constexpr int kLanguageButtonSize = 55;
// Spacing s = screen width x 20 / 800 (integer division).
int LanguageButtonSpacing(int screenWidth);
// Places of count buttons in a scroll box of the given client width; when
// the scroll bar shows (the buttons do not fit the box's height) they move to
// (width - 55) / 3, else they stay at (width - 55) / 2.
std::vector<TLanguageButtonPlace> LanguageButtonPlaces(int count, int screenWidth, int scrollBoxWidth,
                                                       bool scrollBarShown);
// Whether count buttons overflow a scroll box of this client height (the
// scroll box keeps a vertical margin of 20 below the last one).
bool LanguageButtonsOverflow(int count, int screenWidth, int scrollBoxHeight);
// The hint of a language button: the language name with its first "&"
// removed ("&&" loses only the first of the two).
std::string LanguageHint(const std::string& languageName);

// The common left of every label of the main window:
// (W + F1 button width - widest label - scroll box width) / 2.
int MainLabelsLeft(int windowWidth, int configButtonWidth, int widestLabel, int scrollBoxWidth);

// The program file's version record, as the about box reads it: its
// translation entries (language, code page) and its string table.
struct TVersionRecord {
  struct TTranslation {
    unsigned Language;
    unsigned CodePage;
  };
  std::vector<TTranslation> Translations;
  // "\StringFileInfo\<8 hex digits>\<name>" -> value
  std::vector<std::pair<std::string, std::string>> Strings;

  std::optional<std::string> Query(const std::string& path) const;
};
// The record of this program, built from the project version.
TVersionRecord ProgramVersionRecord();
// The version text of a record: the FileVersion of its first translation
// ("\StringFileInfo\" + "%04x%04x" + "\FileVersion"), or "not available"
// when there is no record, no translation or an empty version.
std::string VersionFromRecord(const std::optional<TVersionRecord>& record);
// The about box's version line: versionWord, a space, the version, a space.
std::string AboutVersionLine(const std::string& versionWord, const std::optional<TVersionRecord>& record);

}  // namespace orv::app
