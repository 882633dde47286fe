#include "orv/platform/Actions.h"

#include <algorithm>

namespace orv::platform {

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  if (FActionList != nullptr) FActionList->RemoveAction(this);
  // Clients hold us through destruction notices; they clear their links there.
  FClients.clear();
}

void TBasicAction::Changed() {
  // A client may unlink itself while told.
  const std::vector<IActionClient*> clients = FClients;
  for (IActionClient* c : clients) {
    if (std::find(FClients.begin(), FClients.end(), c) != FClients.end()) c->ActionChanged(*this);
  }
}

void TBasicAction::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  Changed();
}

void TBasicAction::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Changed();
}

void TBasicAction::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed();
}

void TBasicAction::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  Changed();
}

void TBasicAction::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  Changed();
}

void TBasicAction::SetShortCut(TShortCut value) {
  if (value == FShortCut) return;
  FShortCut = value;
  Changed();
}

void TBasicAction::SetActionList(TActionList* list) {
  if (list == FActionList) return;
  if (FActionList != nullptr) FActionList->RemoveAction(this);
  if (list != nullptr) list->AddAction(this);
}

void TBasicAction::SetParentComponent(TComponent* parent) {
  if (auto* list = dynamic_cast<TActionList*>(parent)) SetActionList(list);
}

void TBasicAction::Update() {
  if (OnUpdate) OnUpdate(this);
}

bool TBasicAction::Execute() {
  Update();
  if (!FEnabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterClient(IActionClient* client) {
  if (client != nullptr && std::find(FClients.begin(), FClients.end(), client) == FClients.end())
    FClients.push_back(client);
}

void TBasicAction::UnregisterClient(IActionClient* client) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
  for (TBasicAction* a : FActions) a->FActionList = nullptr;
}

void TActionList::AddAction(TBasicAction* action) {
  action->FActionList = this;
  FActions.push_back(action);
}

void TActionList::RemoveAction(TBasicAction* action) {
  FActions.erase(std::remove(FActions.begin(), FActions.end(), action), FActions.end());
  action->FActionList = nullptr;
}

bool TActionList::IsShortCut(TShortCut shortcut) {
  if (shortcut == 0) return false;
  for (TBasicAction* a : std::vector<TBasicAction*>(FActions)) {
    if (a->ShortCut() == shortcut) return a->Execute();
  }
  return false;
}

}  // namespace orv::platform
