#include "orv/platform/Stdctrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/platform/Clock.h"
#include "orv/platform/Forms.h"

namespace orv::platform {
namespace {

// An edit whose key filter works like the numeric fields: digits pass,
// ',' becomes '.', everything else is swallowed.
class TDigitEdit : public TEdit {
 public:
  using TEdit::TEdit;
  void KeyPress(char& key) override {
    TEdit::KeyPress(key);
    if (key == ',') key = '.';
    if (!((key >= '0' && key <= '9') || key == '.' || key == '\b')) key = 0;
  }
};

TEST(Edit, KeyPressLetsThroughReplacesOrSwallows) {
  TForm form;
  auto* edit = new TDigitEdit(&form);
  edit->SetParent(&form);
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  edit->TypeText("1x2,5");
  EXPECT_EQ(edit->Text(), "12.5");
  EXPECT_EQ(edit->SelStart(), 4);
  EXPECT_EQ(changes, 4);
  edit->TypeChar('\b');
  EXPECT_EQ(edit->Text(), "12.");
}

TEST(Edit, SelectionIsClampedAndReplaced) {
  TEdit edit;
  edit.SetText("12345");
  EXPECT_EQ(edit.SelStart(), 0);
  edit.SetSelection(1, 2);
  EXPECT_EQ(edit.SelText(), "23");
  edit.SetSelText("x");
  EXPECT_EQ(edit.Text(), "1x45");
  EXPECT_EQ(edit.SelStart(), 2);
  edit.SetSelection(3, 99);
  EXPECT_EQ(edit.SelLength(), 1);
  edit.SelectAll();
  EXPECT_EQ(edit.SelText(), "1x45");
  edit.SetSelection(-4, 2);
  EXPECT_EQ(edit.SelStart(), 0);
  edit.SetReadOnly(true);
  edit.TypeChar('9');
  EXPECT_EQ(edit.Text(), "1x45");
}

TEST(Edit, FormKeyPreviewSeesCharactersFirst) {
  TForm form;
  form.SetKeyPreview(true);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.OnKeyPress = [](TComponent*, char& key) {
    if (key == 'a') key = 0;
    if (key == 'b') key = 'B';
  };
  edit->TypeText("abc");
  EXPECT_EQ(edit->Text(), "Bc");
}

TEST(ComboBox, ListStateEventsAndUserSelection) {
  TComboBox combo;
  combo.SetStyle(csDropDownList);
  combo.SetItems({"Massa", "Onda Quadra", "Circuito Aperto"});
  std::vector<std::string> log;
  combo.OnDropDown = [&](TComponent*) { log.push_back("dropdown " + std::to_string(combo.DroppedDown())); };
  combo.OnCloseUp = [&](TComponent*) { log.push_back("closeup"); };
  combo.OnChange = [&](TComponent*) { log.push_back("change " + std::to_string(combo.ItemIndex())); };
  combo.SetItemIndex(1);  // by program: no change event
  EXPECT_EQ(combo.Text(), "Onda Quadra");
  combo.SetDroppedDown(true);
  EXPECT_TRUE(combo.DroppedDown());
  combo.UserSelect(2);
  combo.UserSelect(2);
  combo.PressKey(VK_ESCAPE);
  EXPECT_FALSE(combo.DroppedDown());
  combo.PressKey(VK_UP);
  combo.PressKey(115);  // F4 opens the list
  EXPECT_TRUE(combo.DroppedDown());
  EXPECT_EQ(log, (std::vector<std::string>{"dropdown 0", "change 2", "closeup", "change 1", "dropdown 0"}));
  combo.SetItemIndex(7);
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ComboBox, TypingSelectsByPrefixWithinHalfASecond) {
  TManualClock clock(1000);
  TScopedClock scoped(clock);
  TComboBox combo;
  combo.SetStyle(csDropDownList);
  combo.SetItems({"Standard", "Debole", "Decelerazione", "Accelerazione"});
  int changes = 0;
  combo.OnChange = [&](TComponent*) { ++changes; };
  struct TStep {
    char Key;
    std::uint32_t Wait;
    int Index;
  };
  const TStep steps[] = {{'d', 0, 1}, {'E', 100, 1}, {'c', 100, 2}, {'a', 600, 3}, {'\b', 100, 3}, {'s', 100, 0}};
  for (const TStep& s : steps) {
    clock.Advance(s.Wait);
    combo.TypeChar(s.Key);
    EXPECT_EQ(combo.ItemIndex(), s.Index) << s.Key;
  }
  EXPECT_EQ(changes, 4);
}

TEST(CheckBox, ClicksDisabledKeepsTheClickEventQuiet) {
  TCheckBox box;
  int clicks = 0;
  box.OnClick = [&](TComponent*) { ++clicks; };
  box.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box.ClicksDisabled = true;
  box.SetChecked(false);
  box.Toggle();
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 1);
  box.ClicksDisabled = false;
  box.PressKey(VK_SPACE);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
  box.SetState(cbGrayed);  // not allowed: unchecked stays
  EXPECT_EQ(box.State(), cbUnchecked);
}

// A check box that acts after the base click, as the data-bound one does.
class TCountingCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  std::vector<std::string> Log;
  void Click() override {
    TCheckBox::Click();
    Log.push_back(Checked() ? "own on" : "own off");
  }
};

TEST(CheckBox, OverriddenClickRunsAfterTheEvent) {
  TCountingCheckBox box;
  box.OnClick = [&](TComponent*) { box.Log.push_back("event"); };
  box.Toggle();
  EXPECT_EQ(box.Log, (std::vector<std::string>{"event", "own on"}));
}

TEST(SpeedButton, GroupActsAsRadioButtons) {
  TForm form;
  std::vector<TSpeedButton*> buttons;
  for (int i = 0; i < 3; ++i) {
    buttons.push_back(new TSpeedButton(&form));
    buttons.back()->SetParent(&form);
    buttons.back()->SetGroupIndex(1);
    buttons.back()->Tag = i;
  }
  std::intptr_t clicked = -1;
  for (auto* b : buttons) b->OnClick = [&](TComponent* s) { clicked = s->Tag; };
  buttons[1]->Click();
  EXPECT_EQ(clicked, 1);
  EXPECT_TRUE(buttons[1]->Down());
  buttons[2]->Click();
  EXPECT_FALSE(buttons[1]->Down());
  EXPECT_TRUE(buttons[2]->Down());
  EXPECT_EQ(clicked, 2);
}

TEST(Label, AutoSizeFollowsTextAndFont) {
  TLabel label;
  label.SetLeft(100);
  label.SetCaption("&Abcd");
  const int w4 = label.Width();
  EXPECT_GT(w4, 0);
  label.SetCaption("Abcdefgh");
  EXPECT_GT(label.Width(), w4);
  const int h = label.Height();
  label.Font().SetPixels(label.Font().Pixels() * 2);
  EXPECT_GT(label.Height(), h);
  EXPECT_EQ(label.Left(), 100);
  label.SetAutoSize(false);
  label.SetWidth(10);
  label.SetCaption("a much longer text");
  EXPECT_EQ(label.Width(), 10);
}

TEST(RadioGroup, UserChoiceClicksOnce) {
  TRadioGroup group;
  group.SetItems({"A&ssoluta", "&Relativa", "&Percentuale"});
  int clicks = 0;
  group.OnClick = [&](TComponent*) { ++clicks; };
  group.SetItemIndex(0);
  group.UserSelect(2);
  group.UserSelect(2);
  group.UserSelect(5);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace orv::platform
