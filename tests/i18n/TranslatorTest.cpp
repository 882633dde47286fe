#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "orv/i18n/Messagetexts.h"
#include "orv/i18n/Stringids.h"
#include "orv/i18n/Translator.h"

namespace orv::i18n {
namespace {

struct TMissingCall {
  platform::TComponent* Sender;
  int StringId;
  std::string DefaultOnEntry;
};

// Records every missing-string call and answers "missing <id>".
class TranslatorTest : public ::testing::Test {
 protected:
  void AttachHandler() {
    Translator.OnMissingString = [this](platform::TComponent* sender, int id, std::string& text) {
      Calls.push_back({sender, id, text});
      text = "missing " + std::to_string(id);
    };
  }
  bool Load(const char* path) {
    Translator.SetDllName(path);
    return Translator.LoadLanguageLibrary();
  }

  TTranslator Translator;
  std::vector<TMissingCall> Calls;
};

TEST_F(TranslatorTest, StartsWithOneLanguageNoLibraryAndUnicodeOn) {
  EXPECT_TRUE(Translator.IsUnicode());
  EXPECT_EQ(Translator.DllName(), "");
  EXPECT_FALSE(Translator.IsLibraryLoaded());
  EXPECT_EQ(Translator.CurrentLanguage(), 0);
  EXPECT_EQ(Translator.LanguageCount(), 1);
  EXPECT_EQ(Translator.StringsPerLanguage(), 1);
  EXPECT_EQ(Translator.GetString(kStrTextConnected), "");
}

TEST_F(TranslatorTest, ResourceNumberIsIdPlusLanguageTimesBlock) {
  ASSERT_TRUE(Load(I18N_LANG3));
  EXPECT_EQ(Translator.LanguageCount(), 3);
  EXPECT_EQ(Translator.StringsPerLanguage(), 200);
  struct Case {
    int Language;
    int Id;
    const char* Text;
  };
  const Case cases[] = {
      {0, 15, "R15"}, {1, 15, "R215"}, {2, 15, "R415"}, {2, 146, "R546"}, {1, 0, "Lang1"},
  };
  for (const Case& c : cases) {
    Translator.SetLanguage(c.Language);
    EXPECT_EQ(Translator.GetString(c.Id), c.Text) << "language " << c.Language << " id " << c.Id;
  }
  Translator.SetLanguage(1);
  EXPECT_EQ(Translator.GetLanguageName(2), "Lang2");  // resource 400
  EXPECT_EQ(Translator.GetLanguageName(0), "Lang0");
}

TEST_F(TranslatorTest, SetLanguageOutsideTheLanguagesChangesNothing) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(1);
  for (int index : {-1, 3, 100, -128}) {
    Translator.SetLanguage(index);
    EXPECT_EQ(Translator.CurrentLanguage(), 1) << index;
  }
  Translator.SetLanguage(2);
  EXPECT_EQ(Translator.CurrentLanguage(), 2);
}

TEST_F(TranslatorTest, ReloadWithFewerLanguagesClampsToTheLastLanguage) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(2);
  // Changing the name of a loaded library reloads it.
  Translator.SetDllName(I18N_LANG2);
  EXPECT_TRUE(Translator.IsLibraryLoaded());
  EXPECT_EQ(Translator.LanguageCount(), 2);
  EXPECT_EQ(Translator.CurrentLanguage(), 1);
  EXPECT_EQ(Translator.GetString(15), "R215");
}

TEST_F(TranslatorTest, ChangingTheNameLoadsNothingWhileNoLibraryIsLoaded) {
  Translator.SetDllName(I18N_LANG3);
  EXPECT_FALSE(Translator.IsLibraryLoaded());
  EXPECT_EQ(Translator.LanguageCount(), 1);
}

TEST_F(TranslatorTest, ChangingTheNameWhileDesigningDoesNotReload) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetDesigning(true);
  Translator.SetDllName(I18N_LANG2);
  EXPECT_EQ(Translator.LanguageCount(), 3);
  EXPECT_EQ(Translator.DllName(), I18N_LANG2);
}

TEST_F(TranslatorTest, MissingLibraryGivesOneLanguageAndMissingTexts) {
  EXPECT_FALSE(Load("/nonexistent/Dizionario/Languages.dll"));
  EXPECT_FALSE(Translator.LastError().empty());
  EXPECT_EQ(Translator.LanguageCount(), 1);
  EXPECT_EQ(Translator.StringsPerLanguage(), 1);
  EXPECT_EQ(Translator.GetString(kStrCaption), "");
  EXPECT_EQ(Translator.GetLanguageName(0), "");
  AttachHandler();
  EXPECT_EQ(Translator.GetString(kStrCaption), "missing 2");
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Sender, &Translator);
  EXPECT_EQ(Calls[0].StringId, kStrCaption);
}

TEST_F(TranslatorTest, LoadingAMissingLibraryAfterAGoodOneKeepsTheLanguageInRange) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(2);
  EXPECT_FALSE(Load("/nonexistent/Languages.so"));
  EXPECT_EQ(Translator.CurrentLanguage(), 0);
  EXPECT_EQ(Translator.GetString(15), "");
}

TEST_F(TranslatorTest, MissingTextAsksTheHandlerWithAnEmptyDefault) {
  ASSERT_TRUE(Load(I18N_LANG3));
  EXPECT_EQ(Translator.GetString(7), "");  // no handler: empty
  AttachHandler();
  Translator.SetLanguage(1);
  EXPECT_EQ(Translator.GetString(7), "missing 7");
  EXPECT_EQ(Translator.GetString(15), "R215");
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Sender, &Translator);
  EXPECT_EQ(Calls[0].StringId, 7);
  EXPECT_EQ(Calls[0].DefaultOnEntry, "");
  // An empty text counts as missing too.
  Translator.SetLanguage(0);
  EXPECT_EQ(Translator.GetString(198), "missing 198");
}

TEST_F(TranslatorTest, LanguageNameOutOfRangeIsTheMissingTextOfIdZero) {
  ASSERT_TRUE(Load(I18N_LANG3));
  AttachHandler();
  for (int index : {-1, 3, 127}) {
    Calls.clear();
    EXPECT_EQ(Translator.GetLanguageName(index), "missing 0") << index;
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].StringId, 0);
  }
}

TEST_F(TranslatorTest, TextsAreCutToTheBufferAndToMaxLengthInCharacters) {
  ASSERT_TRUE(Load(I18N_LANG3));
  std::string expected;
  for (int i = 0; i < TTranslator::kMaxTextLength; ++i) expected += "\xC3\xA8";
  EXPECT_EQ(Translator.GetString(199), expected);
  EXPECT_EQ(Translator.GetString(199, 3), "\xC3\xA8\xC3\xA8\xC3\xA8");
  struct Case {
    int MaxLength;
    const char* Text;
  };
  const Case cases[] = {{2, "R1"}, {50, "R15"}, {0, "R15"}, {-1, "R15"}};
  for (const Case& c : cases) EXPECT_EQ(Translator.GetString(15, c.MaxLength), c.Text) << c.MaxLength;
}

TEST_F(TranslatorTest, HandlerTextIsCutToMaxLengthToo) {
  AttachHandler();
  EXPECT_EQ(Translator.GetString(42, 4), "miss");
}

TEST(Utf8LeftTest, NeverSplitsACharacter) {
  struct Case {
    const char* Text;
    int Max;
    const char* Expected;
  };
  const Case cases[] = {
      {"abc", 2, "ab"},
      {"\xC3\xA8x", 1, "\xC3\xA8"},
      {"\xE2\x82\xAC\xE2\x82\xAC", 1, "\xE2\x82\xAC"},
      {"\xF0\x9F\x98\x80z", 1, "\xF0\x9F\x98\x80"},
      {"ab", 5, "ab"},
      {"", 3, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8Left(c.Text, c.Max), c.Expected) << c.Text;
}

TEST_F(TranslatorTest, LibraryWithoutStringsCountHasBlocksOfOne) {
  ASSERT_TRUE(Load(I18N_NOMAXSTRINGS));
  EXPECT_EQ(Translator.LanguageCount(), 3);
  EXPECT_EQ(Translator.StringsPerLanguage(), 1);
  Translator.SetLanguage(2);
  EXPECT_EQ(Translator.GetString(15), "R17");
}

TEST_F(TranslatorTest, AbsurdCountsAreTakenAsOne) {
  for (const char* path : {I18N_NOLANGUAGES, I18N_NEGATIVE}) {
    ASSERT_TRUE(Load(path)) << path;
    EXPECT_EQ(Translator.LanguageCount(), 1) << path;
    EXPECT_EQ(Translator.StringsPerLanguage(), 1) << path;
    EXPECT_EQ(Translator.CurrentLanguage(), 0) << path;
    Translator.SetLanguage(1);
    EXPECT_EQ(Translator.CurrentLanguage(), 0) << path;
    EXPECT_EQ(Translator.GetString(15), "R15") << path;
  }
}

TEST_F(TranslatorTest, UnloadReturnsToOneLanguageAndEmptyTexts) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(1);
  Translator.UnloadLanguageLibrary();
  EXPECT_FALSE(Translator.IsLibraryLoaded());
  EXPECT_EQ(Translator.LanguageCount(), 1);
  EXPECT_EQ(Translator.StringsPerLanguage(), 1);
  EXPECT_EQ(Translator.GetString(15), "");
}

TEST_F(TranslatorTest, IsUnicodeDoesNotChangeTheTexts) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(1);
  Translator.SetIsUnicode(false);
  EXPECT_FALSE(Translator.IsUnicode());
  EXPECT_EQ(Translator.GetString(15), "R215");
  EXPECT_EQ(Translator.GetString(199), "R399");
  Translator.SetIsUnicode(true);
  EXPECT_EQ(Translator.GetString(15), "R215");
}

TEST_F(TranslatorTest, MessageTextsComeFromTheirStringIds) {
  ASSERT_TRUE(Load(I18N_LANG3));
  Translator.SetLanguage(1);
  TMessageTexts texts;
  LoadMessageTexts(Translator, texts);
  const std::pair<std::string TMessageTexts::*, const char*> cases[] = {
      {&TMessageTexts::TextConnected, "R210"},   {&TMessageTexts::TextNotConnected, "R211"},
      {&TMessageTexts::TextCommError1, "R217"},  {&TMessageTexts::TextCommError2, "R218"},
      {&TMessageTexts::TextWaitCaption, "R219"}, {&TMessageTexts::TextWaitMessage, "R220"},
      {&TMessageTexts::TextCompleted, "R221"},   {&TMessageTexts::TextEraseConfirm, "R222"},
      {&TMessageTexts::TextBadAnswer, "R305"},
  };
  for (const auto& [member, text] : cases) EXPECT_EQ(texts.*member, text);
}

TEST(StringIdsTest, UsedIdsAreTheProgramsTexts) {
  EXPECT_EQ(kUsedStringIds.size(), 106u);
  EXPECT_EQ(kUsedStringIds.front(), 0);
  for (int id : {1, 50, 106, 107}) {
    EXPECT_EQ(std::count(kUsedStringIds.begin(), kUsedStringIds.end(), id), 0) << id;
  }
  for (int id : {kStrTextBadAnswer, kStrLabelConfSoft, kStrVersion, kStrTipoSensoreItems[1]}) {
    EXPECT_EQ(std::count(kUsedStringIds.begin(), kUsedStringIds.end(), id), 1) << id;
  }
}

}  // namespace
}  // namespace orv::i18n
