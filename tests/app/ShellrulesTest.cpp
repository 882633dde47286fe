#include <gtest/gtest.h>

#include <algorithm>

#include "orv/app/Shellrules.h"

namespace {

using namespace orv::app;

TEST(ShellrulesTest, PortNamesFollowTheLibrarysIndex) {
  const std::pair<int, const char*> cases[] = {{0, "COM1"}, {1, "COM2"}, {2, "COM3"}, {3, "COM4"},
                                               {4, "USB"},  {5, "USB"},  {-1, "USB"}, {255, "USB"}};
  for (const auto& [index, name] : cases) {
    EXPECT_EQ(PortName(index), name) << index;
    EXPECT_EQ(PortStatusText(index), std::string("PORT: ") + name) << index;
  }
}

TEST(ShellrulesTest, LanguageButtonsStackWithTheScreensSpacing) {
  struct Case {
    int ScreenWidth;
    std::vector<int> Tops;
  };
  const Case cases[] = {{800, {20, 95, 170}}, {1024, {25, 105, 185}}, {640, {16, 87, 158}}};
  for (const Case& c : cases) {
    const auto places = LanguageButtonPlaces(3, c.ScreenWidth, 66, false);
    ASSERT_EQ(places.size(), 3u);
    for (std::size_t i = 0; i < places.size(); ++i) {
      EXPECT_EQ(places[i].Top, c.Tops[i]) << c.ScreenWidth << " button " << i;
      EXPECT_EQ(places[i].Left, (66 - 55) / 2);
    }
  }
}

TEST(ShellrulesTest, LanguageButtonsMoveLeftWhenTheScrollBarShows) {
  const auto places = LanguageButtonPlaces(2, 800, 66, true);
  EXPECT_EQ(places[0].Left, (66 - 55) / 3);
  EXPECT_FALSE(LanguageButtonsOverflow(3, 800, 300));
  EXPECT_TRUE(LanguageButtonsOverflow(6, 800, 300));
  EXPECT_FALSE(LanguageButtonsOverflow(0, 800, 0));
}

TEST(ShellrulesTest, HintsLoseOnlyTheFirstAmpersand) {
  EXPECT_EQ(LanguageHint("&Italiano"), "Italiano");
  EXPECT_EQ(LanguageHint("Rock && Roll"), "Rock & Roll");
  EXPECT_EQ(LanguageHint("English"), "English");
  EXPECT_EQ(LanguageHint(""), "");
}

TEST(ShellrulesTest, LabelsShareTheComputedLeft) {
  EXPECT_EQ(MainLabelsLeft(800, 113, 300, 68), (800 + 113 - 300 - 68) / 2);
  EXPECT_EQ(MainLabelsLeft(10, 0, 20, 1), -5);  // truncates toward zero
}

TEST(ShellrulesTest, VersionIsTakenFromTheFirstTranslation) {
  TVersionRecord record;
  record.Translations.push_back({0x0410, 0x04E4});
  record.Translations.push_back({0x0409, 0x04B0});
  record.Strings.emplace_back("\\StringFileInfo\\041004e4\\FileVersion", "1.0.1.0");
  record.Strings.emplace_back("\\StringFileInfo\\040904b0\\FileVersion", "9.9.9.9");
  EXPECT_EQ(AboutVersionLine("Versione", record), "Versione 1.0.1.0 ");
}

TEST(ShellrulesTest, MissingVersionReadsNotAvailable) {
  TVersionRecord noTranslation;
  noTranslation.Strings.emplace_back("\\StringFileInfo\\041004e4\\FileVersion", "1.0");
  TVersionRecord emptyVersion;
  emptyVersion.Translations.push_back({0x0410, 0x04E4});
  emptyVersion.Strings.emplace_back("\\StringFileInfo\\041004e4\\FileVersion", "");
  TVersionRecord otherTranslation;
  otherTranslation.Translations.push_back({0x0409, 0x04B0});
  otherTranslation.Strings.emplace_back("\\StringFileInfo\\041004e4\\FileVersion", "1.0");
  for (const auto& record : {std::optional<TVersionRecord>(), std::optional(noTranslation), std::optional(emptyVersion),
                             std::optional(otherTranslation)}) {
    EXPECT_EQ(AboutVersionLine("Version", record), "Version not available ");
  }
}

TEST(ShellrulesTest, TheProgramsRecordCarriesTheProjectVersion) {
  const std::string version = VersionFromRecord(ProgramVersionRecord());
  EXPECT_NE(version, "not available");
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3);
}

}  // namespace
