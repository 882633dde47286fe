// The main window driven on its models, with the real language, resource and
// communication libraries built beside the program (the simulated ECU).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <variant>

#include "orv/app/About.h"
#include "orv/app/Main.h"
#include "orv/app/Program.h"
#include "orv/i18n/Settingsstore.h"
#include "orv/i18n/Translator.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Forms.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Screen.h"

namespace {

using namespace orv;
using platform::TColor;

constexpr const char* kKey = "software\\orv srl\\QVN208";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFolder =
        std::filesystem::temp_directory_path() / ("orv-main-" + std::to_string(::getpid()) + "-" +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(FFolder);
    ::setenv("SERORVDL_EEPROM", (FFolder / "eeprom.bin").c_str(), 1);
    ::unsetenv("SERORVDL_FAULTS");
    platform::Screen().SetSize(800, 600);
  }
  void TearDown() override {
    FProgram.reset();
    ::unsetenv("SERORVDL_FAULTS");
    std::filesystem::remove_all(FFolder);
  }
  app::TFormMain& Start() {
    FProgram = std::make_unique<app::TProgram>(&FStore, std::string(ORV_BIN_DIR) + "/");
    FProgram->MainWindow().Show();
    return FProgram->MainWindow();
  }
  std::vector<platform::TSpeedButton*> LanguageButtons(app::TFormMain& w) {
    std::vector<platform::TSpeedButton*> buttons;
    for (int i = 0; i < w.ScrollLingue->ControlCount(); ++i)
      if (auto* b = dynamic_cast<platform::TSpeedButton*>(w.ScrollLingue->Controls(i))) buttons.push_back(b);
    return buttons;
  }

  std::filesystem::path FFolder;
  i18n::TMemorySettingsStore FStore;
  platform::TRecordingDialogs FDialogs;
  platform::TScopedDialogs FDialogsGuard{FDialogs};
  platform::TManualClock FClock;
  platform::TScopedClock FClockGuard{FClock};
  std::unique_ptr<app::TProgram> FProgram;
};

TEST_F(MainWindowTest, StartsWithOneButtonPerLanguageAndTheLinkClosed) {
  app::TFormMain& w = Start();
  const auto buttons = LanguageButtons(w);
  ASSERT_EQ(static_cast<int>(buttons.size()), w.Module().Translator->LanguageCount());
  ASSERT_GE(buttons.size(), 2u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->Top(), 20 + 75 * static_cast<int>(i));
    EXPECT_EQ(buttons[i]->Width(), 55);
    EXPECT_EQ(buttons[i]->Tag, static_cast<std::intptr_t>(i));
    EXPECT_EQ(buttons[i]->Owner(), w.PanelLingue);
    EXPECT_FALSE(buttons[i]->Glyph().Empty()) << "flag " << i;
    EXPECT_EQ(buttons[i]->Hint().find('&'), std::string::npos);
    EXPECT_FALSE(buttons[i]->Hint().empty());
  }
  EXPECT_TRUE(w.ActionConnect->Enabled());
  EXPECT_FALSE(w.ActionDisconnect->Enabled());
  EXPECT_FALSE(w.ActionProgramma->Enabled());
  EXPECT_FALSE(w.Icon().Empty());
  // The stored language (none yet: Italian) was applied on show.
  EXPECT_EQ(w.Caption(), w.Module().Translator->GetString(2));
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), "Centralina non connessa");
}

TEST_F(MainWindowTest, LanguageButtonsFollowTheScreenWidth) {
  platform::Screen().SetSize(1024, 768);
  app::TFormMain& w = Start();
  const auto buttons = LanguageButtons(w);
  ASSERT_GE(buttons.size(), 2u);
  EXPECT_EQ(buttons[0]->Top(), 25);
  EXPECT_EQ(buttons[1]->Top(), 105);
}

TEST_F(MainWindowTest, ChoosingALanguageRelabelsAndIsStoredAtExit) {
  app::TFormMain& w = Start();
  const auto buttons = LanguageButtons(w);
  ASSERT_GE(buttons.size(), 2u);
  const std::string italian = w.LabelUscita->Caption();
  buttons[1]->Click();
  EXPECT_EQ(w.Module().Translator->CurrentLanguage(), 1);
  EXPECT_NE(w.LabelUscita->Caption(), italian);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), w.Module().Texts.TextNotConnected);
  // Every label shares one left after the layout.
  EXPECT_EQ(w.LabelUscita->Left(), w.LabelMenu->Left());
  w.ActionEsci->Execute();
  EXPECT_FALSE(w.Visible());
  FProgram.reset();
  const auto* stored = FStore.Find(kKey, "Language");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(std::get<std::int32_t>(*stored), 1);
}

TEST_F(MainWindowTest, ConnectAndDisconnectFollowTheLinkNotification) {
  app::TFormMain& w = Start();
  ASSERT_TRUE(w.IsShortCut(67, platform::ssCtrl));  // Ctrl+C
  ASSERT_TRUE(w.Module().IsLinkOpen());
  EXPECT_TRUE(FDialogs.Messages.empty());
  EXPECT_FALSE(w.ActionConnect->Enabled());
  EXPECT_TRUE(w.ActionDisconnect->Enabled());
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), w.Module().Texts.TextConnected);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Font().Color(), TColor{32768});
  EXPECT_EQ(w.LMDStatusBarMain->Panels(1).Text(), "PORT: USB");

  ASSERT_TRUE(w.IsShortCut(68, platform::ssCtrl));  // Ctrl+D
  EXPECT_FALSE(w.Module().IsLinkOpen());
  EXPECT_TRUE(w.ActionConnect->Enabled());
  EXPECT_FALSE(w.ActionDisconnect->Enabled());
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), w.Module().Texts.TextNotConnected);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Font().Color(), TColor{255});
  EXPECT_EQ(w.LMDStatusBarMain->Panels(1).Text(), "");
}

TEST_F(MainWindowTest, ConnectFailuresShowTheirMessages) {
  struct Case {
    const char* Faults;
    bool CodeLine;
  };
  for (const Case& c : {Case{"noanswer", true}, Case{"kind=3", false}}) {
    ::setenv("SERORVDL_FAULTS", c.Faults, 1);
    app::TFormMain& w = Start();
    FDialogs.Messages.clear();
    w.ActionConnect->Execute();
    ASSERT_EQ(FDialogs.Messages.size(), 1u) << c.Faults;
    const auto& m = FDialogs.Messages[0];
    EXPECT_EQ(m.Caption, w.Caption());
    EXPECT_EQ(m.Type, platform::TMsgDlgType::mtError);
    if (c.CodeLine) {
      EXPECT_EQ(m.Text, w.Module().Texts.TextCommError1 + "\n" + w.Module().Texts.TextCommError2 + "\n(ERR.CODE: C01)");
    } else {
      EXPECT_EQ(m.Text, w.Module().Texts.TextBadAnswer);
    }
    EXPECT_TRUE(w.ActionConnect->Enabled());
    FProgram.reset();
  }
}

TEST_F(MainWindowTest, SaveThenLoadRoundTripsThroughTheFileDialogs) {
  app::TFormMain& w = Start();
  w.ActionConnect->Execute();
  ASSERT_TRUE(w.Module().IsLinkOpen());
  const std::string file = (FFolder / "workshop.lce").string();
  ASSERT_TRUE(w.Module().MASSIMA_APERTURA_ATTUATORE->SetData(200));
  FDialogs.FileNames.push_back(file);
  w.ActionSalvaFile->Execute();
  ASSERT_TRUE(std::filesystem::exists(file));
  ASSERT_TRUE(w.Module().MASSIMA_APERTURA_ATTUATORE->SetData(150));
  FDialogs.FileNames.push_back(file);
  w.ActionCaricaFile->Execute();
  w.Module().MASSIMA_APERTURA_ATTUATORE->Load();
  EXPECT_EQ(w.Module().MASSIMA_APERTURA_ATTUATORE->GetInt(), 200);
  EXPECT_EQ(FDialogs.FileDialogs.size(), 2u);
  EXPECT_EQ(FDialogs.FileDialogs[0].DefaultExt, "lce");
  // Cancelling a dialog does nothing.
  w.ActionSalvaFile->Execute();
  EXPECT_EQ(FDialogs.Messages.size(), 0u);
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionLine) {
  app::TFormMain& w = Start();
  std::string version;
  std::string caption;
  w.OnAboutBoxCreated = [&](platform::TForm& box) {
    auto& about = static_cast<app::TAboutBox&>(box);
    version = about.Version->Caption();
    caption = about.ProductName->Caption();
    EXPECT_NE(about.AboutImage->Picture().Bytes.size(), 0u);
  };
  w.ActionAbout->Execute();
  const std::string word = w.Module().Translator->GetString(146);
  EXPECT_EQ(version.rfind(word + " ", 0), 0u) << version;
  EXPECT_EQ(version.back(), ' ');
  EXPECT_EQ(version.find("not available"), std::string::npos);
  EXPECT_EQ(caption, w.Caption());
}

TEST_F(MainWindowTest, MissingLibrariesLeaveAUsableProgram) {
  FProgram = std::make_unique<app::TProgram>(&FStore, (FFolder / "nowhere").string() + "/");
  app::TFormMain& w = FProgram->MainWindow();
  w.Show();
  const auto buttons = LanguageButtons(w);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0]->Hint(), "");
  EXPECT_TRUE(buttons[0]->Glyph().Empty());
  EXPECT_TRUE(w.Icon().Empty());
  EXPECT_EQ(w.LabelUscita->Caption(), "");
}

}  // namespace
