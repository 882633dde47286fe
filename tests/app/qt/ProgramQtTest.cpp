// The real program objects on the Qt rendering, offscreen, against the
// simulated ECU: start-up, connecting and disconnecting by keyboard, the
// status bar, and a screenshot of the connected main window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "Qtprogram.h"
#include "orv/app/Main.h"
#include "orv/app/Program.h"
#include "orv/i18n/Settingsstore.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Dialogs.h"
#include "orv/qtui/Renderer.h"

namespace {

using namespace orv;

class ProgramQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SERORVDL_EEPROM", "-", 1);
    ::unsetenv("SERORVDL_FAULTS");
    qtui::TQtProgram::TOptions options;
    options.AppDirectory = std::string(ORV_BIN_DIR) + "/";
    options.Settings = &FStore;
    options.Dialogs = &FDialogs;
    FProgram = std::make_unique<qtui::TQtProgram>(options);
    FProgram->Show();
    QApplication::processEvents();
  }
  void TearDown() override { FProgram.reset(); }

  QWidget* MainWidget() { return FProgram->Renderer().Window(FProgram->MainWindow()); }
  // Keys go to the main window's focused widget, as a technician types them.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* window = MainWidget();
    QWidget* focus = window->focusWidget();
    QTest::keyClick(focus != nullptr ? focus : window, key, modifiers);
    QApplication::processEvents();
  }

  i18n::TMemorySettingsStore FStore;
  platform::TRecordingDialogs FDialogs;
  std::unique_ptr<qtui::TQtProgram> FProgram;
};

TEST_F(ProgramQtTest, StartsFullScreenWithTheMainWindowShown) {
  QWidget* window = MainWidget();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle().toStdString(), FProgram->MainWindow().Caption());
  EXPECT_FALSE(FProgram->MainWindow().Caption().empty());
}

TEST_F(ProgramQtTest, CtrlCConnectsAndCtrlDDisconnects) {
  app::TFormMain& w = FProgram->MainWindow();
  Press(Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(w.Module().IsLinkOpen());
  EXPECT_TRUE(FDialogs.Messages.empty());
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), w.Module().Texts.TextConnected);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Font().Color(), 32768);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(1).Text(), "PORT: USB");

  // The screenshot of the connected main window.
  std::filesystem::create_directories(ORV_SCREENSHOT_DIR);
  const std::string file = std::string(ORV_SCREENSHOT_DIR) + "/main-window-connected.png";
  EXPECT_TRUE(MainWidget()->grab().save(QString::fromStdString(file)));

  Press(Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(w.Module().IsLinkOpen());
  EXPECT_EQ(w.LMDStatusBarMain->Panels(0).Text(), w.Module().Texts.TextNotConnected);
  EXPECT_EQ(w.LMDStatusBarMain->Panels(1).Text(), "");
}

TEST_F(ProgramQtTest, F5EndsTheProgramWithTheLanguageStored) {
  app::TFormMain& w = FProgram->MainWindow();
  w.ToolButtonLingueClick([&] {
    static platform::TComponent sender;
    sender.Tag = 1;
    return &sender;
  }());
  Press(Qt::Key_F5);
  EXPECT_FALSE(w.Visible());
  FProgram.reset();
  const auto* stored = FStore.Find("software\\orv srl\\QVN208", "Language");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(std::get<std::int32_t>(*stored), 1);
}

}  // namespace

int main(int argc, char** argv) {
  // The tests run without a display (also when CTest lists them at build time).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qtui::TOrvApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
