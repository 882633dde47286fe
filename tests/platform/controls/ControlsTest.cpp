#include "orv/platform/Controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
namespace {

// A form with: Edit1, Panel (Edit2 hidden, Edit3, Inner panel (Edit4)),
// Edit5 disabled, Button, in that tab order.
struct TFocusForm {
  TForm Form;
  TEdit* Edit1 = new TEdit(&Form);
  TPanel* Panel = new TPanel(&Form);
  TEdit* Edit2 = new TEdit(&Form);
  TEdit* Edit3 = new TEdit(&Form);
  TPanel* Inner = new TPanel(&Form);
  TEdit* Edit4 = new TEdit(&Form);
  TEdit* Edit5 = new TEdit(&Form);
  TButton* Button = new TButton(&Form);
  std::vector<std::string> Log;

  TFocusForm() {
    Edit1->SetParent(&Form);
    Panel->SetParent(&Form);
    Edit2->SetParent(Panel);
    Edit3->SetParent(Panel);
    Inner->SetParent(Panel);
    Edit4->SetParent(Inner);
    Edit5->SetParent(&Form);
    Button->SetParent(&Form);
    Edit2->SetVisible(false);
    Edit5->SetEnabled(false);
    const std::vector<std::pair<TWinControl*, std::string>> named{
        {Edit1, "Edit1"}, {Edit3, "Edit3"}, {Edit4, "Edit4"}, {Button, "Button"}, {Edit2, "Edit2"}, {Edit5, "Edit5"}};
    for (const auto& [c, name] : named) {
      c->SetName(name);
      c->OnEnter = [this, n = name](TComponent*) { Log.push_back("enter " + n); };
      c->OnExit = [this, n = name](TComponent*) { Log.push_back("exit " + n); };
    }
  }
};

TEST(FocusOrder, TabWalksDepthFirstSkippingHiddenDisabledAndContainers) {
  TFocusForm f;
  f.Edit1->SetFocus();
  const std::vector<TWinControl*> expected{f.Edit3, f.Edit4, f.Button, f.Edit1, f.Edit3};
  for (TWinControl* next : expected) {
    f.Form.SelectNext(f.Form.ActiveControl(), true);
    EXPECT_EQ(f.Form.ActiveControl(), next) << next->Name();
  }
  // And back, wrapping from the first to the last.
  f.Edit1->SetFocus();
  f.Form.SelectNext(nullptr, false);
  EXPECT_EQ(f.Form.ActiveControl(), f.Button);
}

TEST(FocusOrder, HiddenParentHidesItsChildrenFromTheOrder) {
  TFocusForm f;
  f.Inner->SetVisible(false);
  f.Edit3->SetFocus();
  f.Form.SelectNext(f.Edit3, true);
  EXPECT_EQ(f.Form.ActiveControl(), f.Button);
  EXPECT_FALSE(f.Edit4->CanFocus());
  f.Panel->SetEnabled(false);
  EXPECT_FALSE(f.Edit3->CanFocus());
}

TEST(FocusOrder, TabOrderChangesTheWalk) {
  TFocusForm f;
  f.Button->SetTabOrder(0);  // before Edit1
  EXPECT_EQ(f.Button->TabOrder(), 0);
  EXPECT_EQ(f.Edit1->TabOrder(), 1);
  f.Button->SetFocus();
  f.Form.SelectNext(f.Button, true);
  EXPECT_EQ(f.Form.ActiveControl(), f.Edit1);
  f.Edit1->SetTabStop(false);
  f.Form.SelectNext(f.Button, true);
  EXPECT_EQ(f.Form.ActiveControl(), f.Edit3);
}

TEST(FocusOrder, EnterAndExitEventsFollowTheFocus) {
  TFocusForm f;
  f.Edit1->SetFocus();
  f.Edit1->PressKey(VK_TAB);
  f.Edit3->PressKey(VK_TAB, ssShift);
  EXPECT_EQ(f.Log, (std::vector<std::string>{"enter Edit1", "exit Edit1", "enter Edit3", "exit Edit3", "enter Edit1"}));
}

TEST(FocusOrder, ExitHandlerMovingTheFocusWins) {
  TFocusForm f;
  f.Edit1->SetFocus();
  f.Edit1->OnExit = [&](TComponent*) { f.Button->SetFocus(); };
  f.Edit3->SetFocus();
  EXPECT_EQ(f.Form.ActiveControl(), f.Button);
}

TEST(FocusOrder, DestroyingTheFocusedControlDropsTheFocus) {
  TFocusForm f;
  f.Edit4->SetFocus();
  delete f.Inner;  // takes Edit4 with it
  EXPECT_EQ(f.Form.ActiveControl(), nullptr);
  EXPECT_EQ(f.Panel->ControlCount(), 2);
  EXPECT_EQ(f.Form.FindComponent("Edit4"), nullptr);
}

TEST(Alignment, AlignedControlsShareTheClientArea) {
  TForm form;
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  auto* top = new TPanel(&form);
  auto* bottom = new TStatusBar(&form);
  auto* right = new TPanel(&form);
  auto* client = new TPanel(&form);
  top->SetHeight(40);
  top->SetAlign(alTop);
  right->SetWidth(68);
  right->SetAlign(alRight);
  client->SetAlign(alClient);
  bottom->SetHeight(30);
  for (TControl* c : std::vector<TControl*>{top, bottom, right, client}) c->SetParent(&form);
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 400, 40));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 270, 400, 30));
  EXPECT_EQ(right->BoundsRect(), Bounds(332, 40, 68, 230));
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 40, 332, 230));
  bottom->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 40, 332, 260));
}

class TRecordingObserver : public IControlObserver {
 public:
  void ControlChanged(TControl&, TChangeKind kind) override { Kinds.push_back(kind); }
  void ControlDestroying(TControl&) override { ++Destroyed; }
  std::vector<TChangeKind> Kinds;
  int Destroyed = 0;
};

TEST(Observer, ModelChangesReachTheObserverOnce) {
  TRecordingObserver observer;
  {
    TLabel label;
    label.SetObserver(&observer);
    label.SetCaption("abc");
    label.SetCaption("abc");
    label.SetVisible(false);
    label.SetEnabled(false);
    label.Font().SetColor(clRed);
    EXPECT_EQ(std::count(observer.Kinds.begin(), observer.Kinds.end(), TChangeKind::ckText), 1);
    EXPECT_EQ(std::count(observer.Kinds.begin(), observer.Kinds.end(), TChangeKind::ckVisible), 1);
    EXPECT_EQ(std::count(observer.Kinds.begin(), observer.Kinds.end(), TChangeKind::ckEnabled), 1);
    EXPECT_EQ(std::count(observer.Kinds.begin(), observer.Kinds.end(), TChangeKind::ckFont), 1);
    EXPECT_FALSE(label.ParentFont());
  }
  EXPECT_EQ(observer.Destroyed, 1);
}

TEST(Fonts, ChildrenFollowTheParentFontUntilTheyHaveTheirOwn) {
  TForm form;
  form.Font().SetName("Arial");
  form.Font().SetPixels(13);
  auto* a = new TLabel(&form);
  auto* b = new TLabel(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  b->Font().SetPixels(20);
  form.Font().SetStyle(fsBold);
  EXPECT_EQ(a->Font().Name(), "Arial");
  EXPECT_TRUE(a->Font().Bold());
  EXPECT_EQ(b->Font().Pixels(), 20);
  EXPECT_FALSE(b->Font().Bold());
}

// A control that extends the window procedure, as the data-bound controls do.
class TListeningEdit : public TEdit {
 public:
  using TEdit::TEdit;
  std::vector<unsigned> Seen;
  int VisibleNotices = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_DATACHANGED) {
      Seen.push_back(m.Msg);
      m.Result = 7;
      return;
    }
    TEdit::WndProc(m);
  }
  void CMVisibleChanged(TMessage& m) override {
    ++VisibleNotices;
    TEdit::CMVisibleChanged(m);
  }
};

TEST(Messages, PerformReachesTheSubclassAndAHookInFront) {
  TListeningEdit edit;
  EXPECT_EQ(edit.Perform(WM_DATACHANGED, 0, 0), 7);
  edit.SetVisible(false);
  EXPECT_EQ(edit.VisibleNotices, 1);
  // A hook in front of the window procedure keeps the mouse to itself.
  int clicks = 0;
  edit.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++clicks; };
  EXPECT_TRUE(edit.InputMouse(WM_LBUTTONDOWN, 0, 5, 6));
  auto saved = edit.WindowProc;
  edit.WindowProc = [&](TMessage& m) {
    if (m.Msg != WM_LBUTTONDOWN) saved(m);
  };
  EXPECT_FALSE(edit.InputMouse(WM_LBUTTONDOWN, 0, 5, 6));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit.Perform(WM_DATACHANGED, 0, 0), 7);
}

TEST(Shortcuts, CodesAndTexts) {
  EXPECT_EQ(ShortCut(VK_F1, 0), 112);
  EXPECT_EQ(ShortCut('C', ssCtrl), 16451);
  EXPECT_EQ(ShortCut('D', ssCtrl), 16452);
  EXPECT_EQ(ShortCut('Q', ssAlt), 32768 + 'Q');
  EXPECT_EQ(ShortCutToText(16451), "Ctrl+C");
  EXPECT_EQ(ShortCutToText(117), "F6");
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("R&&D &x"), "R&D x");
}

TEST(Colors, NamesAndSystemColours) {
  TColor c = 0;
  EXPECT_TRUE(ColorFromName("clBtnHighlight", c));
  EXPECT_EQ(c, clBtnHighlight);
  EXPECT_EQ(SystemColorToRGB(clBtnHighlight), 0xFFFFFF);
  EXPECT_EQ(SystemColorToRGB(10158080), 10158080);
  EXPECT_FALSE(ColorFromName("clNoSuchColour", c));
}

}  // namespace
}  // namespace orv::platform
