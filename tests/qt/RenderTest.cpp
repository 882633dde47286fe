#include "orv/qtui/Renderer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/Controlclasses.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Grids.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Scaling.h"
#include "orv/platform/Stdctrls.h"

namespace orv::qtui {
namespace {

using namespace orv::platform;

// The widget tests share one application object.
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "qt_render_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) FApp = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete FApp;
    FApp = nullptr;
  }

 private:
  QApplication* FApp = nullptr;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

class TRenderForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TRenderForm"; }
  std::vector<std::string> Log;
  void Note(TComponent* sender, const std::string& what) { Log.push_back(sender->Name() + " " + what); }
  void EditKeyPress(TComponent*, char& key) {
    if (key == 'x') key = 0;    // swallowed
    if (key == ',') key = '.';  // replaced
  }
};

TClassRegistry& Registry() {
  static TClassRegistry registry = [] {
    TClassRegistry r;
    RegisterControlClasses(r);
    auto note = [](const char* what) {
      return [what](TRenderForm& f) -> TNotifyEvent { return [&f, what](TComponent* s) { f.Note(s, what); }; };
    };
    TClassBuilder<TRenderForm>(r, "TRenderForm", "TForm", false)
        .Method<TNotifyEvent>("AnyClick", note("click"))
        .Method<TNotifyEvent>("AnyChange", note("change"))
        .Method<TNotifyEvent>("AnyDropDown", note("dropdown"))
        .Method<TNotifyEvent>("AnyEnter", note("enter"))
        .Method<TNotifyEvent>("AnyExit", note("exit"))
        .Method<TNotifyEvent>("ActionExecute", note("execute"))
        .Method<TKeyPressEvent>("EditKeyPress", [](TRenderForm& f) -> TKeyPressEvent {
          return [&f](TComponent* s, char& k) { f.EditKeyPress(s, k); };
        });
    return r;
  }();
  return registry;
}

constexpr const char* kForm = R"(
object FormAll: TRenderForm
  Caption = 'Every control'
  ClientWidth = 640
  ClientHeight = 420
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  Position = poScreenCenter
  KeyPreview = True
  Menu = MainMenu
  object LabelTitle: TLabel
    Left = 16
    Top = 8
    Caption = '&Configurazione'
    Font.Name = 'Arial'
    Font.Height = -20
    Font.Style = [fsBold]
    Font.Color = 10158080
  end
  object Edit: TEdit
    Left = 16
    Top = 40
    Width = 90
    Height = 24
    Text = ''
    TabOrder = 0
    OnKeyPress = EditKeyPress
    OnEnter = AnyEnter
    OnExit = AnyExit
  end
  object Combo: TComboBox
    Left = 120
    Top = 40
    Width = 155
    Height = 24
    Style = csDropDownList
    Items.Strings = ('Standard' 'Debole' 'Decelerazione')
    ItemIndex = 0
    TabOrder = 1
    OnChange = AnyChange
    OnDropDown = AnyDropDown
    OnEnter = AnyEnter
  end
  object Check: TCheckBox
    Left = 290
    Top = 42
    Width = 160
    Height = 17
    Caption = 'Abilita Fuori Giri'
    TabOrder = 2
    OnClick = AnyClick
  end
  object Button: TBitBtn
    Left = 16
    Top = 76
    Width = 113
    Height = 46
    Caption = 'F1'
    Cursor = crHandPoint
    TabOrder = 3
    OnClick = AnyClick
  end
  object Speed: TSpeedButton
    Left = 140
    Top = 76
    Width = 55
    Height = 46
    GroupIndex = 1
    Caption = 'IT'
    OnClick = AnyClick
  end
  object Static: TStaticText
    Left = 210
    Top = 80
    Width = 100
    Height = 20
    AutoSize = False
    Caption = '(0;6000 RPM)'
    Color = 10158080
    Font.Color = clWhite
    BorderStyle = sbsSingle
  end
  object Panel: TPanel
    Left = 330
    Top = 76
    Width = 290
    Height = 60
    BevelInner = bvRaised
    BevelOuter = bvLowered
    TabOrder = 4
    object Bevel: TBevel
      Left = 10
      Top = 10
      Width = 100
      Height = 40
    end
    object Image: TImage
      Left = 120
      Top = 10
      Width = 40
      Height = 40
    end
    object Animate: TAnimate
      Left = 170
      Top = 10
      Width = 33
      Height = 33
    end
  end
  object Pages: TPageControl
    Left = 16
    Top = 140
    Width = 300
    Height = 150
    TabOrder = 5
    object Sheet1: TTabSheet
      Caption = 'Configurazione Vettura'
      object Radio: TRadioGroup
        Left = 8
        Top = 8
        Width = 129
        Height = 73
        Caption = 'Modalit' #224
        Items.Strings = ('A&ssoluta' '&Relativa' '&Percentuale')
        ItemIndex = 0
        TabOrder = 0
      end
    end
    object Sheet2: TTabSheet
      Caption = 'Opzionali'
    end
  end
  object Scroll: TScrollBox
    Left = 330
    Top = 150
    Width = 80
    Height = 140
    VertScrollBar.Margin = 20
    TabOrder = 6
    object Flag0: TSpeedButton
      Left = 5
      Top = 20
      Width = 55
      Height = 55
      GroupIndex = 1
    end
    object Flag1: TSpeedButton
      Left = 5
      Top = 95
      Width = 55
      Height = 55
      GroupIndex = 1
    end
  end
  object Grid: TStringGrid
    Left = 420
    Top = 150
    Width = 200
    Height = 100
    ColCount = 3
    RowCount = 3
    DefaultColWidth = 60
    DefaultRowHeight = 24
    TabOrder = 7
  end
  object Fill: TProgressFill
    Left = 16
    Top = 300
    Width = 217
    Height = 25
    Gradient = True
    GradientStart = clYellow
    GradientEnd = clRed
    GradientSteps = 50
    Position = 40
  end
  object Status: TLMDStatusBar
    Height = 30
    Align = alBottom
    Panels = (('Width' 300 'Text' 'Centralina non connessa' 'Font.Name' 'Arial' 'Font.Height' -16
               'Font.Style' [fsBold] 'Font.Color' clRed)
              ('Text' '' 'Font.Name' 'Arial' 'Font.Height' -16 'Font.Style' [fsBold] 'Font.Color' clGreen))
  end
  object Actions: TActionList
    object ActionConf: TAction
      Caption = 'Configurazione'
      ShortCut = 112
      OnExecute = ActionExecute
    end
  end
  object MainMenu: TMainMenu
    object MenuFile: TMenuItem
      Caption = '&File'
      object MenuConf: TMenuItem
        Action = ActionConf
      end
    end
  end
end
)";

template <class T>
T* Find(TForm& form, const char* name) {
  auto* c = dynamic_cast<T*>(form.FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// Counts the pixels of an image close to a colour.
int CountColor(const QImage& image, QColor color, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) < 40 && std::abs(c.green() - color.green()) < 40 &&
          std::abs(c.blue() - color.blue()) < 40)
        ++n;
    }
  return n;
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReadDescription(Form, kForm, Registry());
    Window = Renderer.Window(Form);
    Form.Show();
    QApplication::setActiveWindow(Window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window));
    QCoreApplication::processEvents();
    // Showing gave the first control the focus.
    ASSERT_EQ(Form.ActiveControl(), Find<TWinControl>(Form, "Edit"));
    ASSERT_EQ(Form.Log, (std::vector<std::string>{"Edit enter"}));
    Form.Log.clear();
  }
  void TearDown() override {
    Form.Hide();
    QCoreApplication::processEvents();
  }
  QWidget* PeerOf(const char* name) {
    TControl* c = Find<TControl>(Form, name);
    return c != nullptr ? Renderer.Peer(*c) : nullptr;
  }

  TQtRenderer Renderer;
  TRenderForm Form;
  QWidget* Window = nullptr;
};

TEST_F(RenderTest, TypingGoesThroughTheModelsKeyFilter) {
  auto* edit = qobject_cast<QLineEdit*>(PeerOf("Edit"));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClicks(edit, "1x2,5");
  EXPECT_EQ(edit->text(), "12.5");
  EXPECT_EQ(Find<TEdit>(Form, "Edit")->Text(), "12.5");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(Find<TEdit>(Form, "Edit")->Text(), "12.");
  // The model's text and selection reach the widget.
  Find<TEdit>(Form, "Edit")->SetText("600");
  Find<TEdit>(Form, "Edit")->SelectAll();
  EXPECT_EQ(edit->text(), "600");
  EXPECT_EQ(edit->selectedText(), "600");
}

TEST_F(RenderTest, KeyPreviewSeesAKeyOnceEvenWhenTheWidgetLeavesIt) {
  int seen = 0;
  Form.OnKeyDown = [&](TComponent*, unsigned short& key, TShiftState) {
    if (key == VK_F1 + 1) ++seen;
  };
  QWidget* edit = PeerOf("Edit");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_F2);  // the line edit has no use for it
  EXPECT_EQ(seen, 1);
}

TEST_F(RenderTest, TabMovesTheFocusAlongTheModelsTabOrder) {
  auto* edit = PeerOf("Edit");
  edit->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(Form.ActiveControl(), Find<TWinControl>(Form, "Edit"));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Form.ActiveControl(), Find<TWinControl>(Form, "Combo"));
  EXPECT_TRUE(PeerOf("Combo")->hasFocus());
  QTest::keyClick(PeerOf("Combo"), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Form.ActiveControl(), Find<TWinControl>(Form, "Edit"));
  EXPECT_EQ(Form.Log, (std::vector<std::string>{"Edit exit", "Combo enter", "Edit enter"}));
}

TEST_F(RenderTest, ClicksShortcutsAndComboChoicesReachTheModel) {
  QTest::mouseClick(PeerOf("Button"), Qt::LeftButton);
  auto* combo = qobject_cast<QComboBox*>(PeerOf("Combo"));
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(Find<TComboBox>(Form, "Combo")->ItemIndex(), 1);
  EXPECT_EQ(combo->currentIndex(), 1);
  combo->showPopup();
  EXPECT_TRUE(Find<TComboBox>(Form, "Combo")->DroppedDown());
  combo->hidePopup();
  EXPECT_FALSE(Find<TComboBox>(Form, "Combo")->DroppedDown());
  QTest::keyClick(combo, Qt::Key_F1);
  QTest::mouseClick(PeerOf("Speed"), Qt::LeftButton);
  EXPECT_TRUE(Find<TSpeedButton>(Form, "Speed")->Down());
  EXPECT_EQ(Form.Log, (std::vector<std::string>{"Edit exit", "Button click", "Combo enter", "Combo change",
                                                "Combo dropdown", "ActionConf execute", "Speed click"}));
}

TEST_F(RenderTest, CheckBoxClickRaisesTheEventOnlyWhileClicksAreOn) {
  auto* check = qobject_cast<QCheckBox*>(PeerOf("Check"));
  auto* model = Find<TCheckBox>(Form, "Check");
  QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
  EXPECT_TRUE(model->Checked());
  model->ClicksDisabled = true;
  QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
  EXPECT_FALSE(model->Checked());
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(Form.Log, (std::vector<std::string>{"Edit exit", "Check click"}));
  model->ClicksDisabled = false;
  model->SetChecked(true);  // by program: the widget follows
  EXPECT_TRUE(check->isChecked());
}

TEST_F(RenderTest, ModelChangesReachTheWidgets) {
  Find<TLabel>(Form, "LabelTitle")->SetCaption("Nuovo titolo");
  EXPECT_EQ(qobject_cast<QLabel*>(PeerOf("LabelTitle"))->text(), "Nuovo titolo");
  Find<TButton>(Form, "Button")->SetVisible(false);
  EXPECT_FALSE(PeerOf("Button")->isVisible());
  Find<TCheckBox>(Form, "Check")->SetEnabled(false);
  EXPECT_FALSE(PeerOf("Check")->isEnabled());
  Find<TComboBox>(Form, "Combo")->SetItemIndex(2);
  EXPECT_EQ(qobject_cast<QComboBox*>(PeerOf("Combo"))->currentIndex(), 2);
  Find<TPageControl>(Form, "Pages")->SetActivePageIndex(1);
  EXPECT_EQ(qobject_cast<QTabWidget*>(PeerOf("Pages"))->currentIndex(), 1);
  EXPECT_TRUE(Form.Log.empty());

  // Status panel text and colour: the panel is painted in the font colour.
  auto* status = Find<TStatusBar>(Form, "Status");
  const QRect panel0(0, 0, 300, PeerOf("Status")->height());
  QImage before = PeerOf("Status")->grab().toImage();
  EXPECT_GT(CountColor(before, Qt::red, panel0), 20);
  status->Panels(0).SetText("Centralina connessa");
  status->Panels(0).Font().SetColor(clGreen);
  QImage after = PeerOf("Status")->grab().toImage();
  EXPECT_EQ(CountColor(after, Qt::red, panel0), 0);
  EXPECT_GT(CountColor(after, QColor(0, 128, 0), panel0), 20);

  // Progress: the fill reaches the position's share of the bar.
  auto* fill = Find<TProgressFill>(Form, "Fill");
  QWidget* fw = PeerOf("Fill");
  const int y = fw->height() / 2;
  QImage at40 = fw->grab().toImage();
  EXPECT_GT(CountColor(at40, Qt::yellow, QRect(2, y, 10, 1)), 5);
  EXPECT_EQ(CountColor(at40, Qt::red, QRect(fw->width() / 2, y, fw->width() / 2 - 2, 1)), 0);
  fill->SetPosition(100);
  QImage full = fw->grab().toImage();
  EXPECT_GT(CountColor(full, Qt::red, QRect(fw->width() - 12, y, 10, 1)), 5);
}

TEST_F(RenderTest, ScalingForA1024WideScreenMovesTheWidgets) {
  ScaleForm(Form, 1024);
  QCoreApplication::processEvents();
  struct TCase {
    const char* Name;
    QRect Expected;
  };
  const TCase cases[] = {
      {"Edit", QRect(20, 51, 115, 30)},
      {"Button", QRect(20, 97, 144, 58)},
      {"Panel", QRect(422, 97, 371, 76)},
      {"Bevel", QRect(12, 12, 128, 51)},
  };
  for (const TCase& c : cases) EXPECT_EQ(PeerOf(c.Name)->geometry(), c.Expected) << c.Name;
  EXPECT_EQ(Form.Font().Pixels(), 16);
  EXPECT_EQ(PeerOf("Edit")->font().pixelSize(), 16);
  EXPECT_EQ(Find<TStatusBar>(Form, "Status")->Panels(0).Width(), 384);
  EXPECT_EQ(PeerOf("Status")->geometry().bottom() + 1, Form.ClientHeight());
}

TEST(RenderModal, TheModalLoopEndsWithTheButtonsResultOrTheCloseBox) {
  TQtRenderer renderer;
  TForm dialog;
  dialog.SetBorderStyle(bsDialog);
  dialog.SetPosition(poScreenCenter);
  auto* ok = new TButton(&dialog);
  ok->SetParent(&dialog);
  ok->SetModalResult(mrOk);
  ok->SetCaption("&OK");
  // The user clicks OK once the loop runs.
  QTimer::singleShot(0, [&] {
    QWidget* w = renderer.Peer(*ok);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(dialog.Modal());
    QTest::mouseClick(w, Qt::LeftButton);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(renderer.Window(dialog)->isVisible());
  // Closing the window ends it with Cancel.
  QTimer::singleShot(0, [&] { renderer.Window(dialog)->close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(RenderTest, ScreenshotLooksLikeANativeWindow) {
  Find<TEdit>(Form, "Edit")->SetText("6000");
  auto* grid = Find<TStringGrid>(Form, "Grid");
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) grid->SetCell(c, r, std::to_string((c + 1) * (r + 1) * 10));
  QCoreApplication::processEvents();
  QDir().mkpath(ORV_SCREENSHOT_DIR);
  const QString path = QString(ORV_SCREENSHOT_DIR) + "/form-all-controls.png";
  const QImage shot = Window->grab().toImage();
  EXPECT_TRUE(shot.save(path));
  EXPECT_EQ(shot.width(), Window->width());
  EXPECT_GE(shot.height(), Form.ClientHeight());
}

}  // namespace
}  // namespace orv::qtui
