// The value edit and the combo box on a rendered form, bound to number items
// of the simulated ECU: what is typed into the widgets reaches the ECU's
// memory, and a write made elsewhere reaches the widgets.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "Simulatorhooks.h"
#include "orv/controls/Orvcombobox.h"
#include "orv/controls/Valueeditex.h"
#include "orv/link/Orvconnection.h"
#include "orv/platform/DynamicLibrary.h"
#include "orv/platform/NumberText.h"
#include "orv/qtui/Renderer.h"

namespace orv::controls {
namespace {

namespace sim = plugins::simulator;

const std::string kSimulatorPath = std::string(ORV_BIN_DIR) + "/SerOrvDL.so";
// Bytes of the ECU memory no catalogue parameter of these tests shares.
constexpr int kEditAddress = 40;
constexpr int kComboAddress = 41;

// One application for the whole program, gone before the window system's
// own globals are.
class TApplicationEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override { FApp = std::make_unique<QApplication>(FArgc, FArgv); }
  void TearDown() override { FApp.reset(); }

 private:
  int FArgc = 1;
  char FName[18] = "controls_qt_tests";
  char* FArgv[2] = {FName, nullptr};
  std::unique_ptr<QApplication> FApp;
};
const ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

class ControlsOnSimulatedEcu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(kApplication, nullptr);
    platform::SetDecimalSeparator('.');
    static std::atomic<int> counter{0};
    folder = std::filesystem::temp_directory_path() /
             ("orv_controls_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    ::setenv("SERORVDL_EEPROM", (folder / "eeprom.bin").string().c_str(), 1);
    connection.SetDllName(kSimulatorPath);
    ASSERT_TRUE(connection.LoadDll()) << connection.LastError();
    ASSERT_TRUE(hooks.Load(kSimulatorPath));
    peek = hooks.Function<sim::SimulatorPeekFn>(sim::kSimulatorPeek);
    poke = hooks.Function<sim::SimulatorPokeFn>(sim::kSimulatorPoke);
    restart = hooks.Function<sim::SimulatorRestartFn>(sim::kSimulatorRestart);
    ASSERT_TRUE(peek && poke && restart);
    restart();
    ASSERT_NE(connection.Library()->OpenLink(), 0);

    form.SetBounds(0, 0, 420, 120);
    form.SetClientWidth(420);
    form.SetClientHeight(120);
    form.Show();
    editItem = NumberAt(kEditAddress, 0, 200);
    comboItem = NumberAt(kComboAddress, 0, 2);
    poke(kEditAddress, 5);
    poke(kComboAddress, 0);

    edit = new TValueEditEx(&form);
    edit->SetParent(&form);
    edit->SetBounds(300, 16, 90, 24);
    edit->EditLabel()->SetCaption("Temperatura per Cambio");
    edit->EditLabel()->SetLabelSpacing(290);
    edit->SetNumber(editItem);
    combo = new TOrvComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(235, 60, 155, 24);
    combo->SetItems({"Decelerazione", "Accelerazione", "Entrambi"});
    combo->ComboLabel()->SetCaption("Tipo Cambio");
    combo->ComboLabel()->SetLabelSpacing(225);
    combo->SetNumber(comboItem);
    edit->SetNextControl(combo);
    combo->SetPrevControl(edit);

    window = renderer.Window(form);
    form.Show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    editWidget = renderer.Peer(*edit);
    comboWidget = qobject_cast<QComboBox*>(renderer.Peer(*combo));
    ASSERT_NE(editWidget, nullptr);
    ASSERT_NE(comboWidget, nullptr);
    ASSERT_TRUE(edit->InitData());
    ASSERT_TRUE(combo->InitData());
  }
  void TearDown() override {
    form.Hide();
    QCoreApplication::processEvents();
    platform::SetDecimalSeparator('\0');
    ::unsetenv("SERORVDL_EEPROM");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  items::TOrvNumber* NumberAt(int address, double min, double max) {
    auto* n = new items::TOrvNumber(&form);
    n->ByAddress = true;
    n->Address = address;
    n->SetMaxValue(max);
    n->SetMinValue(min);
    n->SetConnection(&connection);
    return n;
  }

  // What the field's widget shows.
  std::string Shown() const {
    if (auto* line = qobject_cast<QLineEdit*>(editWidget)) return line->text().toStdString();
    if (auto* text = qobject_cast<QPlainTextEdit*>(editWidget)) return text->toPlainText().toStdString();
    return "?";
  }
  // The user puts the focus on the control's widget.
  void Focus(platform::TWinControl& control) {
    renderer.Peer(control)->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(control.Focused());
  }

  std::filesystem::path folder;
  link::TOrvConnection connection;
  qtui::TQtRenderer renderer;
  platform::TDynamicLibrary hooks;
  sim::SimulatorPeekFn peek = nullptr;
  sim::SimulatorPokeFn poke = nullptr;
  sim::SimulatorRestartFn restart = nullptr;
  platform::TForm form;
  items::TOrvNumber* editItem = nullptr;
  items::TOrvNumber* comboItem = nullptr;
  TValueEditEx* edit = nullptr;
  TOrvComboBox* combo = nullptr;
  QWidget* window = nullptr;
  QWidget* editWidget = nullptr;
  QComboBox* comboWidget = nullptr;
};

TEST_F(ControlsOnSimulatedEcu, WidgetsShowTheEcuValues) {
  EXPECT_EQ(Shown(), "5");
  EXPECT_EQ(comboWidget->currentIndex(), 0);
  EXPECT_EQ(comboWidget->count(), 3);
}

TEST_F(ControlsOnSimulatedEcu, TypingIntoTheFieldWritesTheEcu) {
  Focus(*edit);
  // The field had the focus from the start, so the value that arrived since
  // replaced the selection it made on entering; the user selects it again.
  edit->SelectAll();
  QCoreApplication::processEvents();
  auto* line = qobject_cast<QLineEdit*>(editWidget);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->selectedText().toStdString(), "5");
  QTest::keyClicks(editWidget, "123");
  EXPECT_EQ(Shown(), "123");
  EXPECT_EQ(peek(kEditAddress), 5);
  QTest::keyClick(editWidget, Qt::Key_Return);
  EXPECT_EQ(peek(kEditAddress), 123);
  EXPECT_EQ(Shown(), "123");
  // Enter moved on along the chain.
  EXPECT_TRUE(combo->Focused());
  // Read back through another item.
  auto* again = NumberAt(kEditAddress, 0, 200);
  ASSERT_TRUE(again->Load());
  EXPECT_EQ(again->GetInt(), 123);
}

TEST_F(ControlsOnSimulatedEcu, ClampedValueComesBackIntoTheWidget) {
  Focus(*edit);
  QCoreApplication::processEvents();
  QTest::keyClicks(editWidget, "250x");
  QTest::keyClick(editWidget, Qt::Key_Return);
  EXPECT_EQ(peek(kEditAddress), 200);
  EXPECT_EQ(Shown(), "200");
}

TEST_F(ControlsOnSimulatedEcu, ChoosingALineWritesItsIndex) {
  Focus(*combo);
  QTest::keyClick(comboWidget, Qt::Key_Return);
  EXPECT_TRUE(combo->DroppedDown());
  QTest::keyClick(comboWidget, Qt::Key_Down);
  QTest::keyClick(comboWidget, Qt::Key_Down);
  EXPECT_EQ(peek(kComboAddress), 0);
  QTest::keyClick(comboWidget, Qt::Key_Return);
  EXPECT_EQ(peek(kComboAddress), 2);
  EXPECT_EQ(comboWidget->currentIndex(), 2);
  // Enter closed the list; typing the start of a line with the list closed
  // commits it at once.
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->Pending());
  QTest::keyClicks(comboWidget, "a");
  EXPECT_EQ(peek(kComboAddress), 1);
  EXPECT_EQ(comboWidget->currentIndex(), 1);
}

TEST_F(ControlsOnSimulatedEcu, WriteMadeElsewhereReachesTheWidgets) {
  ASSERT_TRUE(editItem->SetData(77));
  EXPECT_EQ(Shown(), "77");
  ASSERT_TRUE(comboItem->SetData(1));
  EXPECT_EQ(comboWidget->currentIndex(), 1);
  EXPECT_EQ(peek(kEditAddress), 77);

  const std::string shot = std::string(ORV_CONTROLS_SHOT_DIR) + "/controls_form.png";
  ASSERT_TRUE(window->grab().save(QString::fromStdString(shot)));
  EXPECT_TRUE(std::filesystem::exists(shot));
}

}  // namespace
}  // namespace orv::controls
