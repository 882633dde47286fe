#include "orv/link/Datarefresher.h"

#include "orv/platform/MainThread.h"

namespace orv::link {

TDataRefresher::TDataRefresher(platform::TComponent* owner) : items::TDataRefresherBase(owner) {
  if (owner != nullptr && owner->IsDesigning()) return;
  // Settles which thread is the user-interface thread before the worker
  // first hands work over.
  (void)platform::MainThread().IsMainThread();
  FThread = std::make_unique<TRefreshThread>(FSleepTime);
  FThread->SetPriority(FPriority);
  FThread->Start();
}

TDataRefresher::~TDataRefresher() {
  if (FThread) {
    FThread->RemoveAll();
    FThread.reset();
  }
  if (FConnection != nullptr) FConnection->RemoveFreeNotification(this);
  FConnection = nullptr;
}

void TDataRefresher::SetConnection(items::TOrvConnectionBase* connection) {
  if (connection == FConnection) return;
  if (FConnection != nullptr) FConnection->RemoveFreeNotification(this);
  FConnection = connection;
  if (FConnection != nullptr) FConnection->FreeNotification(this);
  if (FThread) FThread->SetConnection(FConnection);
}

void TDataRefresher::Notification(platform::TComponent* component, platform::TOperation operation) {
  items::TDataRefresherBase::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FConnection) {
    FConnection = nullptr;
    if (FThread) FThread->SetConnection(nullptr);
  }
  // A subscriber that goes away without unsubscribing must not be served.
  if (FThread) FThread->ForgetComponent(component);
}

void TDataRefresher::SetSleepTime(int ms) {
  if (ms <= 0) return;
  FSleepTime = ms;
  if (FThread) FThread->SetSleepTime(ms);
}

void TDataRefresher::SetPriority(platform::TThreadPriority priority) {
  FPriority = priority;
  if (FThread) FThread->SetPriority(priority);
}

void TDataRefresher::SetEnabled(bool value) {
  if (FThread) FThread->SetEnabled(value);
}

bool TDataRefresher::Enabled() {
  if (!FThread) return false;
  platform::MainThread().ProcessMessages();
  return !FThread->Waiting();
}

bool TDataRefresher::AddRefresh(platform::TComponent* component, int interval, std::uint32_t descriptor, int index) {
  if (!FThread) return true;
  const bool added = FThread->AddRefresh(component, interval, descriptor, index);
  if (added && component != this) component->FreeNotification(this);
  return added;
}

void TDataRefresher::RemoveRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  if (FThread) FThread->RemoveRefresh(component, descriptor, index);
}

void TDataRefresher::SuspendRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  if (FThread) FThread->SuspendRefresh(component, descriptor, index);
}

void TDataRefresher::ResumeRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  if (FThread) FThread->ResumeRefresh(component, descriptor, index);
}

void TDataRefresher::RemoveAll() {
  if (FThread) FThread->RemoveAll();
}

void TDataRefresher::ReloadAll() {
  if (FThread) FThread->ReloadAll();
}

void TDataRefresher::RefreshPass() {
  if (FThread) FThread->RefreshPass();
}

}  // namespace orv::link
