#include "orv/platform/Controlclasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
namespace {

class TTestForm : public TForm {
 public:
  using TForm::TForm;
  const char* ClassName() const override { return "TTestForm"; }
  std::vector<std::string> Log;
  void ButtonClick(TComponent* sender) { Log.push_back("click " + sender->Name()); }
  void ActionExecute(TComponent* sender) { Log.push_back("execute " + sender->Name()); }
  void EditKeyPress(TComponent*, char& key) {
    if (key == 'x') key = 0;
  }
};

TClassRegistry& Registry() {
  static TClassRegistry registry = [] {
    TClassRegistry r;
    RegisterControlClasses(r);
    TClassBuilder<TTestForm>(r, "TTestForm", "TForm", false)
        .Method<TNotifyEvent>("ButtonClick",
                              [](TTestForm& f) -> TNotifyEvent { return [&f](TComponent* s) { f.ButtonClick(s); }; })
        .Method<TNotifyEvent>("ActionExecute",
                              [](TTestForm& f) -> TNotifyEvent { return [&f](TComponent* s) { f.ActionExecute(s); }; })
        .Method<TKeyPressEvent>("EditKeyPress", [](TTestForm& f) -> TKeyPressEvent {
          return [&f](TComponent* s, char& k) { f.EditKeyPress(s, k); };
        });
    return r;
  }();
  return registry;
}

constexpr const char* kDescription = R"(
object FormTest: TTestForm
  Caption = 'Prova'
  ClientWidth = 400
  ClientHeight = 300
  Color = clBtnHighlight
  Font.Name = 'Arial'
  Font.Height = -13
  Font.Style = [fsBold]
  KeyPreview = True
  Menu = MainMenu
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    Align = alTop
    TabOrder = 1
    object Sheet1: TTabSheet
      Caption = 'Uno'
      object Combo: TComboBox
        Left = 10
        Top = 10
        Width = 155
        Height = 24
        Style = csDropDownList
        Items.Strings = ('Standard' 'Debole')
        ItemIndex = 1
        TabOrder = 1
      end
      object Edit: TEdit
        Left = 10
        Top = 40
        Width = 90
        Height = 24
        Text = '0'
        TabOrder = 0
        OnKeyPress = EditKeyPress
      end
    end
    object Sheet2: TTabSheet
      Caption = 'Due'
    end
  end
  object Button: TBitBtn
    Left = 48
    Top = 208
    Width = 113
    Height = 46
    Caption = 'F1'
    Cursor = crHandPoint
    TabOrder = 0
    OnClick = ButtonClick
    Glyph.Resource = 'F1'
  end
  object Status: TLMDStatusBar
    Height = 30
    Align = alBottom
    Panels = (('Width' 300 'Text' 'Centralina non connessa' 'Font.Color' 255 'Font.Style' [fsBold])
              ('Text' '' 'Font.Color' clGreen))
  end
  object Fill: TLMDProgressFill
    Left = 200
    Top = 210
    Width = 150
    Height = 20
    Gradient = True
    GradientStart = clYellow
    GradientEnd = clRed
    Position = 40
  end
  object Actions: TActionList
    object ActionF1: TAction
      Caption = 'Config'
      ShortCut = 112
      OnExecute = ActionExecute
    end
  end
  object MainMenu: TMainMenu
    object MenuFile: TMenuItem
      Caption = '&File'
      object MenuF1: TMenuItem
        Action = ActionF1
      end
    end
  end
end
)";

TEST(Description, BuildsAFormWithNestedControlsAndBoundEvents) {
  TTestForm form;
  ReadDescription(form, kDescription, Registry());
  EXPECT_EQ(form.Caption(), "Prova");
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.Color(), clBtnHighlight);
  EXPECT_TRUE(form.Font().Bold());
  ASSERT_NE(form.Menu(), nullptr);
  EXPECT_EQ(form.ClientHeight(), 300);  // the menu bar does not eat the client area

  auto* pages = dynamic_cast<TPageControl*>(form.FindComponent("Pages"));
  auto* combo = dynamic_cast<TComboBox*>(form.FindComponent("Combo"));
  auto* edit = dynamic_cast<TEdit*>(form.FindComponent("Edit"));
  auto* button = dynamic_cast<TBitBtn*>(form.FindComponent("Button"));
  auto* status = dynamic_cast<TStatusBar*>(form.FindComponent("Status"));
  auto* fill = dynamic_cast<TProgressFill*>(form.FindComponent("Fill"));
  auto* menuF1 = dynamic_cast<TMenuItem*>(form.FindComponent("MenuF1"));
  ASSERT_TRUE(pages && combo && edit && button && status && fill && menuF1);

  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(combo->Parent(), pages->Pages(0));
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Debole");
  EXPECT_EQ(edit->Font().Name(), "Arial");  // from the form
  EXPECT_EQ(button->Cursor(), crHandPoint);
  EXPECT_EQ(button->Glyph().ResourceName, "F1");
  EXPECT_EQ(status->Top(), 270);
  ASSERT_EQ(status->PanelCount(), 2);
  EXPECT_EQ(status->Panels(0).Text(), "Centralina non connessa");
  EXPECT_EQ(status->Panels(0).Font().Color(), 255);
  EXPECT_TRUE(status->Panels(0).Font().Bold());
  EXPECT_EQ(status->Panels(1).Font().Color(), clGreen);
  EXPECT_EQ(fill->Position(), 40);
  EXPECT_TRUE(fill->Gradient());
  EXPECT_EQ(menuF1->Caption(), "Config");
  EXPECT_EQ(menuF1->ShortCut(), 112);

  // Tab order as described: Button before the page control, Edit before Combo.
  EXPECT_EQ(button->TabOrder(), 0);
  EXPECT_EQ(edit->TabOrder(), 0);
  button->SetFocus();
  form.SelectNext(button, true);
  EXPECT_EQ(form.ActiveControl(), pages);  // the tabs take the focus too
  form.SelectNext(pages, true);
  EXPECT_EQ(form.ActiveControl(), edit);
  form.SelectNext(edit, true);
  EXPECT_EQ(form.ActiveControl(), combo);

  // Bound events.
  edit->SelectAll();
  edit->TypeText("x5x");
  EXPECT_EQ(edit->Text(), "5");
  button->Click();
  edit->PressKey(VK_F1);
  EXPECT_EQ(form.Log, (std::vector<std::string>{"click Button", "execute ActionF1"}));
}

TEST(Description, RefusesBadValuesWithTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"object F: TTestForm\n  Color = clNoSuchColour\nend\n", "line 2"},
      {"object F: TTestForm\n  object S: TStatusBar\n    Panels = (('Width'))\n  end\nend\n", "line 3"},
      {"object F: TTestForm\n  object S: TStatusBar\n    Panels = (('Colour' 5))\n  end\nend\n", "line 3"},
      {"object F: TTestForm\n  object C: TComboBox\n    Style = csNoSuchStyle\n  end\nend\n", "line 3"},
  };
  for (const auto& [text, where] : cases) {
    TTestForm form;
    std::string error;
    EXPECT_FALSE(TryReadDescription(form, text, Registry(), &error)) << text;
    EXPECT_NE(error.find(where), std::string::npos) << error;
    EXPECT_EQ(form.ComponentCount(), 0);
  }
}

}  // namespace
}  // namespace orv::platform
