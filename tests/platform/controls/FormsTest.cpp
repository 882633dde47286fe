#include "orv/platform/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
namespace {

struct TActionForm {
  TForm Form;
  TActionList* List = new TActionList(&Form);
  TAction* F1 = new TAction(&Form);
  TAction* F6 = new TAction(&Form);
  TAction* Connect = new TAction(&Form);
  TEdit* Edit = new TEdit(&Form);
  TBitBtn* Button = new TBitBtn(&Form);
  std::vector<std::string> Log;

  TActionForm() {
    for (TAction* a : {F1, F6, Connect}) a->SetActionList(List);
    F1->SetShortCut(112);
    F1->SetCaption("F1");
    F1->OnExecute = [this](TComponent*) { Log.push_back("F1"); };
    F6->SetShortCut(117);
    F6->SetEnabled(false);
    Connect->SetShortCut(16451);
    Connect->OnExecute = [this](TComponent*) { Log.push_back("connect"); };
    Edit->SetParent(&Form);
    Button->SetParent(&Form);
    Button->SetAction(F1);
    Edit->OnKeyDown = [this](TComponent*, unsigned short& key, TShiftState) {
      Log.push_back("edit " + std::to_string(key));
    };
    Edit->SetFocus();
  }
};

TEST(FormKeys, ShortcutsRunTheirActions) {
  struct TCase {
    unsigned short Key;
    TShiftState Shift;
    std::vector<std::string> Log;
    bool PassesOn;
  };
  const TCase cases[] = {
      {VK_F1, 0, {"F1"}, false},          {'C', ssCtrl, {"connect"}, false},
      {VK_F1 + 5, 0, {"edit 117"}, true},  // F6 is disabled: the key goes on
      {'C', 0, {"edit 67"}, true},        {'C', ssCtrl | ssShift, {"edit 67"}, true},
  };
  for (const TCase& c : cases) {
    TActionForm f;
    unsigned short key = c.Key;
    EXPECT_EQ(f.Edit->InputKeyDown(key, c.Shift), c.PassesOn) << c.Key;
    EXPECT_EQ(f.Log, c.Log) << c.Key;
  }
}

TEST(FormKeys, KeyPreviewComesFirstAndMaySwallow) {
  TActionForm f;
  f.Form.SetKeyPreview(true);
  f.Form.OnKeyDown = [&](TComponent*, unsigned short& key, TShiftState shift) {
    f.Log.push_back("form " + std::to_string(key));
    if (key == VK_F1 && (shift & ssAlt) != 0) key = 0;
  };
  f.Edit->PressKey(VK_F1, ssAlt);
  f.Edit->PressKey(VK_F1);
  f.Edit->PressKey('X');
  EXPECT_EQ(f.Log, (std::vector<std::string>{"form 112", "form 112", "F1", "form 88", "edit 88"}));
}

TEST(Actions, LinkedControlsAndMenuItemsFollowTheAction) {
  TActionForm f;
  auto* item = new TMenuItem(&f.Form);
  item->SetAction(f.Connect);
  f.Connect->SetCaption("&Connetti");
  f.F1->SetEnabled(false);
  EXPECT_EQ(f.Button->Caption(), "F1");
  EXPECT_FALSE(f.Button->Enabled());
  EXPECT_EQ(item->Caption(), "&Connetti");
  EXPECT_EQ(item->ShortCut(), 16451);
  item->Click();
  f.Button->Click();  // disabled action: nothing runs
  EXPECT_EQ(f.Log, (std::vector<std::string>{"connect"}));
  delete f.Connect;
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(f.List->ActionCount(), 2);
}

TEST(Menus, ItemsNestAndPopupMenusOfTheFocusedControlTakeShortcuts) {
  TForm form;
  auto* menu = new TMainMenu(&form);
  auto* file = new TMenuItem(&form);
  auto* exit = new TMenuItem(&form);
  file->SetCaption("&File");
  exit->SetCaption("E&xit");
  exit->SetName("MenuExit");
  exit->SetShortCut(ShortCut(VK_F1 + 4, 0));
  menu->Items()->Add(file);
  file->Add(exit);
  int exits = 0;
  exit->OnClick = [&](TComponent*) { ++exits; };
  form.SetMenu(menu);
  auto* popup = new TPopupMenu(&form);
  auto* connect = new TMenuItem(&form);
  connect->SetShortCut(16451);
  int connects = 0;
  connect->OnClick = [&](TComponent*) { ++connects; };
  popup->Items()->Add(connect);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetPopupMenu(popup);
  edit->SetFocus();
  edit->PressKey(VK_F1 + 4);
  edit->PressKey('C', ssCtrl);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(connects, 1);
  exit->SetVisible(false);
  edit->PressKey(VK_F1 + 4);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(exit->GetParentMenu(), menu);
  delete file;  // takes its sub-item with it
  EXPECT_EQ(menu->Items()->Count(), 0);
  EXPECT_EQ(form.FindComponent("MenuExit"), nullptr);
  delete popup;
  EXPECT_EQ(edit->PopupMenu(), nullptr);
}

TEST(Modal, ButtonResultEndsTheLoopAndCloseEventsRun) {
  TModelFormService service;
  SetFormService(&service);
  TForm form;
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetModalResult(mrOk);
  std::vector<std::string> log;
  form.OnShow = [&](TComponent*) { log.push_back("show"); };
  form.OnClose = [&](TComponent*, TCloseAction& a) { log.push_back("close " + std::to_string(a)); };
  service.OnRunModal = [&](TForm& f) {
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Modal());
    ok->Click();
  };
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
  EXPECT_EQ(log, (std::vector<std::string>{"show", "close 1"}));
  // A close query that refuses once keeps the loop running.
  int asked = 0;
  form.OnCloseQuery = [&](TComponent*, bool& can) { can = ++asked > 1; };
  service.OnRunModal = [](TForm& f) { f.Close(); };
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  SetFormService(nullptr);
}

TEST(Modal, EnterAndEscapeClickTheDefaultAndCancelButtons) {
  TForm form;
  auto* edit = new TEdit(&form);
  auto* ok = new TButton(&form);
  auto* cancel = new TButton(&form);
  for (TWinControl* c : std::initializer_list<TWinControl*>{edit, ok, cancel}) c->SetParent(&form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  edit->SetFocus();
  edit->PressKey(VK_ESCAPE);
  EXPECT_EQ(form.ModalResult(), mrCancel);
  edit->PressKey(VK_RETURN);
  EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST(Close, NonModalCloseHidesOrFrees) {
  TModelFormService service;
  SetFormService(&service);
  TMainThreadQueue queue;
  TScopedMainThread scoped(queue);
  TForm owner;
  auto* form = new TForm(&owner);
  form->Show();
  EXPECT_TRUE(form->Visible());
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(service.Closed, 1);
  form->Show();
  form->OnClose = [](TComponent*, TCloseAction& a) { a = caFree; };
  form->Close();
  EXPECT_EQ(owner.ComponentCount(), 1);
  queue.CheckSynchronize();
  EXPECT_EQ(owner.ComponentCount(), 0);
  SetFormService(nullptr);
}

}  // namespace
}  // namespace orv::platform
