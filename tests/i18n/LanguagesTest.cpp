// The language library the build places beside the program.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "orv/i18n/Messagetexts.h"
#include "orv/i18n/Stringids.h"
#include "orv/i18n/Translator.h"

namespace orv::i18n {
namespace {

const std::string kLibrary = std::string(ORV_BIN_DIR) + "/Dizionario/Languages.so";

int TableLanguageColumns() {
  std::ifstream table(I18N_TEXTS_TABLE);
  std::string header;
  std::getline(table, header);
  int columns = 1;
  for (char c : header) columns += c == '\t' ? 1 : 0;
  return columns - 1;
}

class LanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Translator.SetDllName(kLibrary);
    ASSERT_TRUE(Translator.LoadLanguageLibrary()) << Translator.LastError();
  }
  TTranslator Translator;
};

TEST_F(LanguagesTest, CountsMatchTheTextsTable) {
  EXPECT_EQ(Translator.LanguageCount(), TableLanguageColumns());
  EXPECT_GE(Translator.LanguageCount(), 2);
  EXPECT_EQ(Translator.StringsPerLanguage(), 200);
}

TEST_F(LanguagesTest, EveryUsedIdHasATextInEveryLanguage) {
  for (int language = 0; language < Translator.LanguageCount(); ++language) {
    Translator.SetLanguage(language);
    ASSERT_EQ(Translator.CurrentLanguage(), language);
    for (int id : kUsedStringIds) {
      EXPECT_FALSE(Translator.GetString(id).empty()) << "language " << language << " id " << id;
    }
  }
}

TEST_F(LanguagesTest, LanguageNamesCarryTheirAccessLetter) {
  const char* names[] = {"&Italiano", "&English", "&Deutsch"};
  for (int language = 0; language < 3; ++language) EXPECT_EQ(Translator.GetLanguageName(language), names[language]);
}

TEST_F(LanguagesTest, ItalianKeepsTheDesignTexts) {
  Translator.SetLanguage(0);
  struct Case {
    int Id;
    const char* Text;
  };
  const Case cases[] = {
      {kStrTextNotConnected, "Centralina non connessa"},
      {kStrTextWaitMessage, "Connessione in corso. Attendere ..."},
      {kStrTabSheet1, "Configurazione Vettura"},
      {kStrComboTipoAcc, "Tipo Accensione"},
      {kStrTipoAccItems[4], "Bibobina"},
      {kStrTipoTPSItems[0], "Lineare 0\u00F75 Volt"},
      {kStrTipoSondaItems[5], "0,8\u00F71,6 Volt"},
      {kStrTipoEmulItems[2], "Circuito Aperto"},
      {kStrTempoSondaSconnessa, "Tempo di sonda sconnessa"},
      {kStrVersion, "Versione"},
  };
  for (const Case& c : cases) EXPECT_EQ(Translator.GetString(c.Id), c.Text) << c.Id;
}

TEST_F(LanguagesTest, TheProgramsOwnLibraryNameFindsTheLibrary) {
  TTranslator byDllName;
  byDllName.SetDllName(std::string(ORV_BIN_DIR) + "/Dizionario\\Languages.dll");
  ASSERT_TRUE(byDllName.LoadLanguageLibrary()) << byDllName.LastError();
  byDllName.SetLanguage(1);
  EXPECT_EQ(byDllName.GetString(kStrVersion), "Version");
}

TEST_F(LanguagesTest, MessageTextsChangeWithTheLanguage) {
  Translator.SetLanguage(0);
  TMessageTexts italian;
  LoadMessageTexts(Translator, italian);
  Translator.SetLanguage(1);
  TMessageTexts english;
  LoadMessageTexts(Translator, english);
  EXPECT_EQ(italian.TextNotConnected, "Centralina non connessa");
  EXPECT_NE(english.TextNotConnected, italian.TextNotConnected);
  EXPECT_NE(english.TextEraseConfirm, italian.TextEraseConfirm);
  EXPECT_FALSE(english.TextBadAnswer.empty());
}

}  // namespace
}  // namespace orv::i18n
