#include "orv/platform/Menus.h"

#include <algorithm>

namespace orv::platform {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (FAction != nullptr) FAction->UnregisterClient(this);
  // Sub-items go with their parent item, as on the platform.
  while (!FItems.empty()) {
    TMenuItem* sub = FItems.back();
    FItems.pop_back();
    sub->FParent = nullptr;
    if (!sub->IsDestroying()) delete sub;
  }
  if (FParent != nullptr) FParent->Remove(this);
}

void TMenuItem::MenuChanged() {
  if (TMenu* menu = GetParentMenu()) menu->Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent != nullptr) item = item->FParent;
  return item->FMenu;
}

void TMenuItem::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  MenuChanged();
}

void TMenuItem::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  MenuChanged();
}

void TMenuItem::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  MenuChanged();
}

void TMenuItem::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (value == FShortCut) return;
  FShortCut = value;
  MenuChanged();
}

void TMenuItem::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction != nullptr) {
    FAction->UnregisterClient(this);
    RemoveFreeNotification(FAction);
  }
  FAction = action;
  if (action != nullptr) {
    action->RegisterClient(this);
    FreeNotification(action);
    ActionChanged(*action);
  }
}

void TMenuItem::ActionChanged(TBasicAction& action) {
  FCaption = action.Caption();
  FEnabled = action.Enabled();
  FVisible = action.Visible();
  FChecked = action.Checked();
  FShortCut = action.ShortCut();
  if (!action.Hint().empty()) FHint = action.Hint();
  MenuChanged();
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FAction) FAction = nullptr;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr || item == this) return;
  for (TMenuItem* p = this; p != nullptr; p = p->FParent) {
    if (p == item) return;  // would make a cycle
  }
  if (item->FParent != nullptr) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  MenuChanged();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  }
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (OnClick) {
    OnClick(this);
  } else if (FAction != nullptr) {
    FAction->Execute();
  }
}

bool TMenuItem::IsShortCut(TShortCut shortcut) {
  if (shortcut == 0 || !FEnabled) return false;
  for (TMenuItem* sub : std::vector<TMenuItem*>(FItems)) {
    if (sub->FShortCut == shortcut && sub->FEnabled && sub->FVisible) {
      // The item's action decides whether it takes the key.
      if (sub->FAction != nullptr && !sub->OnClick) return sub->FAction->Execute();
      sub->Click();
      return true;
    }
    if (sub->IsShortCut(shortcut)) return true;
  }
  return false;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  // The root item is ours and goes first, taking its entries with it.
  OnChange = nullptr;
  FItems->FMenu = nullptr;
  DestroyComponents();
}

void TMenu::Changed() {
  if (OnChange && !IsDestroying()) OnChange(*this);
}

namespace {
class TNoPopup final : public IPopupService {
 public:
  void Popup(TPopupMenu& /*menu*/, int /*x*/, int /*y*/) override {}
};
TNoPopup gNoPopup;
IPopupService* gPopup = nullptr;
}  // namespace

IPopupService& PopupService() { return gPopup != nullptr ? *gPopup : gNoPopup; }
void SetPopupService(IPopupService* service) { gPopup = service; }

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  PopupService().Popup(*this, x, y);
}

}  // namespace orv::platform
