#pragma once
// Actions: named commands with a caption, a shortcut and an enabled state,
// which controls and menu items link to. An action list groups them; a
// form runs the action whose shortcut arrives (see TForm::IsShortCut).
// Threads: user-interface thread only.

#include <string>
#include <vector>

#include "orv/platform/Controls.h"

namespace orv::platform {

class TActionList;

// An action. Its clients (linked controls and menu items) are told of every
// change of caption, enabled state, visibility, checked state, hint or
// shortcut, and follow it.
class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* owner = nullptr);
  ~TBasicAction() override;
  const char* ClassName() const override { return "TBasicAction"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& value) { FCategory = value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* list);
  void SetParentComponent(TComponent* parent) override;

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

  // Runs OnUpdate, then, when enabled, OnExecute; true when OnExecute ran.
  virtual bool Execute();
  // Runs OnUpdate.
  virtual void Update();

  void RegisterClient(IActionClient* client);
  void UnregisterClient(IActionClient* client);

 protected:
  void Changed();

 private:
  friend class TActionList;
  std::string FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  std::string FHint;
  TShortCut FShortCut = 0;
  std::string FCategory;
  int FImageIndex = -1;
  TActionList* FActionList = nullptr;
  std::vector<IActionClient*> FClients;
};

class TAction : public TBasicAction {
 public:
  using TBasicAction::TBasicAction;
  const char* ClassName() const override { return "TAction"; }
};

// A list of actions (not owning them: actions are owned by the form).
class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner = nullptr);
  ~TActionList() override;
  const char* ClassName() const override { return "TActionList"; }
  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TBasicAction* Actions(int index) const { return FActions.at(static_cast<std::size_t>(index)); }
  // The action with that shortcut was found and executed: true. An action
  // whose shortcut matches but which is disabled does not take the key.
  bool IsShortCut(TShortCut shortcut);

 private:
  friend class TBasicAction;
  void AddAction(TBasicAction* action);
  void RemoveAction(TBasicAction* action);
  std::vector<TBasicAction*> FActions;
};

}  // namespace orv::platform
