#include "orv/platform/Component.h"

#include <algorithm>
#include <cctype>

namespace orv::platform {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) {
    if (owner->IsDesigning()) FState |= csDesigning;
    owner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  FState |= csDestroying;
  // Tell every linked component, then forget the links both ways.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents) {
    if (SameName(c->FName, name)) return c;
  }
  return nullptr;
}

void TComponent::SetLoading(bool value) {
  if (value)
    FState |= csLoading;
  else
    FState &= ~static_cast<unsigned>(csLoading);
}

void TComponent::SetDesigning(bool value) {
  if (value)
    FState |= csDesigning;
  else
    FState &= ~static_cast<unsigned>(csDesigning);
  for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::Loaded() { SetLoading(false); }

void TComponent::SetParentComponent(TComponent* /*parent*/) {}

void TComponent::FreeNotification(TComponent* other) {
  if (other == nullptr || other == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
    FFreeNotifies.push_back(other);
  auto& theirs = other->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (other == nullptr) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), other), FFreeNotifies.end());
  auto& theirs = other->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    delete last;  // its destructor takes it out of FComponents
  }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component != nullptr) RemoveFreeNotification(component);
  // Walk backwards; a receiver may destroy components while it is told.
  for (std::size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    TComponent* c = FComponents[i];
    if (c != component) c->Notification(component, operation);
  }
}

void TComponent::InsertComponent(TComponent* component) {
  component->FOwner = this;
  FComponents.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, TOperation::opRemove);
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
  component->FOwner = nullptr;
}

}  // namespace orv::platform
