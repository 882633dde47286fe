#pragma once
// Menus: the main menu of a form and popup menus, made of menu items with
// captions ("&" marks the access key, "-" is a separator), shortcuts,
// actions, click events and sub-items.
// Ownership: menu items are owned by their owner component (the form); an
// item destroyed removes itself from its parent item; a parent item that
// is destroyed destroys its sub-items.
// Threads: user-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/Controls.h"

namespace orv::platform {

class TMenu;

class TMenuItem : public TComponent, public IActionClient {
 public:
  explicit TMenuItem(TComponent* owner = nullptr);
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool IsLine() const { return FCaption == "-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value) { FRadioItem = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  // A linked action: caption, enabled, visible, checked, hint and shortcut
  // follow it; a click runs it when OnClick is empty.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* action);

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out of the sub-items (not destroying it).
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  // The menu this item belongs to (through its parents), or nullptr.
  TMenu* GetParentMenu() const;

  // A nested description's enclosing item or menu becomes the parent.
  void SetParentComponent(TComponent* parent) override;

  TNotifyEvent OnClick;
  // The item was chosen: OnClick, or the action when OnClick is empty.
  virtual void Click();

  // This item or a sub-item (visible and enabled) with that shortcut was
  // clicked: true.
  bool IsShortCut(TShortCut shortcut);

  void ActionChanged(TBasicAction& action) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TMenu;
  void MenuChanged();

  std::string FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  std::string FHint;
  TShortCut FShortCut = 0;
  TBasicAction* FAction = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
};

// A menu: a root item whose sub-items are the menu's entries. OnChange
// runs after any item of the menu changed (the renderer rebuilds).
class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner = nullptr);
  ~TMenu() override;
  const char* ClassName() const override { return "TMenu"; }
  TMenuItem* Items() const { return FItems; }
  bool IsShortCut(TShortCut shortcut) { return FItems->IsShortCut(shortcut); }
  std::function<void(TMenu&)> OnChange;
  void Changed();

 private:
  TMenuItem* FItems;  // owned (created with this menu as owner)
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  const char* ClassName() const override { return "TMainMenu"; }
};

// Shows a popup menu at a screen point; the renderer installs one, the
// default records nothing and chooses nothing.
class IPopupService {
 public:
  virtual ~IPopupService() = default;
  virtual void Popup(TPopupMenu& menu, int x, int y) = 0;
};
IPopupService& PopupService();
void SetPopupService(IPopupService* service);  // not owned; nullptr: none

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  const char* ClassName() const override { return "TPopupMenu"; }
  TNotifyEvent OnPopup;
  // Runs OnPopup, then shows the menu through the popup service.
  virtual void Popup(int x, int y);
};

}  // namespace orv::platform
