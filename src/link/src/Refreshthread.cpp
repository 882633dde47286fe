#include "orv/link/Refreshthread.h"

#include <algorithm>

#include "orv/items/Serialdata.h"
#include "orv/platform/Clock.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Messages.h"

namespace orv::link {

REFRESH_ELEMENT::REFRESH_ELEMENT(std::uint32_t descriptor, int index)
    : Descriptor(descriptor), Index(index), Capacity((descriptor & (kPacketBit | kArrayBit)) != 0 ? kWideCapacity : 1) {
  Buffer.assign(static_cast<std::size_t>(Capacity), 0);
}

TRefreshThread::TRefreshThread(int sleepTime) : FSleepTime(std::max(sleepTime, kMinimumSleepTime)) {}

TRefreshThread::~TRefreshThread() {
  {
    // Under the lock, so that a worker about to wait cannot miss the request.
    std::lock_guard lock(FLock);
    Terminate();
  }
  FWake.notify_all();
  Resume();
  WaitFor();
  std::lock_guard lock(FLock);
  FElements.clear();
}

void TRefreshThread::Execute() {
  while (!Terminated()) {
    int sleepTime = 0;
    {
      std::unique_lock lock(FLock);
      if (!FEnabled) {
        // Waiting on the refresher lock itself closes the gap between
        // reading the flag and waiting, in which a SetEnabled(true) would
        // otherwise be lost.
        while (!FEnabled && !Terminated()) {
          FWaiting.store(true);
          FWake.wait(lock);
        }
        FWaiting.store(false);
        continue;
      }
      sleepTime = FSleepTime;
    }
    platform::Clock().Sleep(static_cast<std::uint32_t>(std::max(sleepTime, 0)));
    if (Terminated()) break;
    platform::MainThread().Synchronize([this] { RefreshPass(); });
  }
}

void TRefreshThread::SetEnabled(bool value) {
  {
    std::lock_guard lock(FLock);
    FEnabled = value;
    // The worker counts as running from now on, as a resumed thread does; if
    // the flag is cleared again before it wakes, it marks itself waiting.
    if (value) FWaiting.store(false);
  }
  if (value) FWake.notify_all();
}

bool TRefreshThread::EnabledFlag() {
  std::lock_guard lock(FLock);
  return FEnabled;
}

void TRefreshThread::SetSleepTime(int ms) {
  std::lock_guard lock(FLock);
  FSleepTime = ms;
}

int TRefreshThread::SleepTime() {
  std::lock_guard lock(FLock);
  return FSleepTime;
}

void TRefreshThread::SetConnection(items::TOrvConnectionBase* connection) {
  std::lock_guard lock(FLock);
  FConnection = connection;
}

items::TOrvConnectionBase* TRefreshThread::Connection() {
  std::lock_guard lock(FLock);
  return FConnection;
}

REFRESH_ELEMENT* TRefreshThread::Find(std::uint32_t descriptor, int index) {
  for (auto& e : FElements) {
    if (e->Descriptor == descriptor && e->Index == index) return e.get();
  }
  return nullptr;
}

RefreshSubscriber* TRefreshThread::FindSubscriber(platform::TComponent* component, std::uint32_t descriptor,
                                                  int index) {
  if (component == nullptr) return nullptr;
  REFRESH_ELEMENT* element = Find(descriptor, index);
  if (element == nullptr) return nullptr;
  for (RefreshSubscriber& s : element->Subscribers) {
    if (s.Component == component) return &s;
  }
  return nullptr;
}

bool TRefreshThread::AddRefresh(platform::TComponent* component, int interval, std::uint32_t descriptor, int index) {
  if (interval <= 0 || component == nullptr) return false;
  std::lock_guard lock(FLock);
  if (RefreshSubscriber* s = FindSubscriber(component, descriptor, index)) {
    s->Interval = interval;
    s->LastDelivery = 0;
    return true;
  }
  REFRESH_ELEMENT* element = Find(descriptor, index);
  if (element == nullptr) {
    FElements.push_back(std::make_unique<REFRESH_ELEMENT>(descriptor, index));
    element = FElements.back().get();
  }
  element->Subscribers.push_back(RefreshSubscriber{true, 0, interval, component});
  return true;
}

void TRefreshThread::RemoveRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  std::lock_guard lock(FLock);
  RefreshSubscriber* s = FindSubscriber(component, descriptor, index);
  if (s == nullptr) return;
  // During a pass the lists stay in place; the pass sweeps them at its end.
  s->Component = nullptr;
  if (FPassDepth == 0) Sweep();
}

void TRefreshThread::ForgetComponent(platform::TComponent* component) {
  if (component == nullptr) return;
  std::lock_guard lock(FLock);
  bool found = false;
  for (auto& e : FElements) {
    for (RefreshSubscriber& s : e->Subscribers) {
      if (s.Component == component) {
        s.Component = nullptr;
        found = true;
      }
    }
  }
  if (found && FPassDepth == 0) Sweep();
}

void TRefreshThread::Sweep() {
  for (auto& e : FElements) {
    std::erase_if(e->Subscribers, [](const RefreshSubscriber& s) { return s.Component == nullptr; });
  }
  std::erase_if(FElements, [](const std::unique_ptr<REFRESH_ELEMENT>& e) { return e->Subscribers.empty(); });
}

void TRefreshThread::SuspendRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  std::lock_guard lock(FLock);
  if (RefreshSubscriber* s = FindSubscriber(component, descriptor, index)) s->Active = false;
}

void TRefreshThread::ResumeRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) {
  std::lock_guard lock(FLock);
  if (RefreshSubscriber* s = FindSubscriber(component, descriptor, index)) s->Active = true;
}

void TRefreshThread::RemoveAll() {
  std::lock_guard lock(FLock);
  if (FPassDepth == 0) {
    FElements.clear();
    return;
  }
  for (auto& e : FElements) {
    for (RefreshSubscriber& s : e->Subscribers) s.Component = nullptr;
  }
}

int TRefreshThread::ElementCount() {
  std::lock_guard lock(FLock);
  return static_cast<int>(std::count_if(FElements.begin(), FElements.end(), [](const auto& e) {
    return std::any_of(e->Subscribers.begin(), e->Subscribers.end(),
                       [](const RefreshSubscriber& s) { return s.Component != nullptr; });
  }));
}

const REFRESH_ELEMENT* TRefreshThread::FindElement(std::uint32_t descriptor, int index) {
  std::lock_guard lock(FLock);
  return Find(descriptor, index);
}

bool TRefreshThread::Request(REFRESH_ELEMENT& element) {
  plugins::IOrvLibrary* library = FConnection->Library();
  if (library == nullptr) return false;
  std::lock_guard lock(FConnection->Lock());
  if ((element.Descriptor & REFRESH_ELEMENT::kPacketBit) != 0) {
    element.Buffer[0] = element.Capacity;
    return library->ReadPacket(element.Descriptor, reinterpret_cast<std::uint8_t*>(element.Buffer.data()) + 4,
                               &element.Buffer[0]);
  }
  if (element.Index >= 0) return library->ReadDataIndex(element.Descriptor, element.Buffer.data(), element.Index);
  return library->ReadData(element.Descriptor, element.Buffer.data());
}

void TRefreshThread::Deliver(REFRESH_ELEMENT& element, platform::TComponent* component) {
  if (auto* item = dynamic_cast<items::TOrvSerialData*>(component)) {
    item->UpdateData(element.Buffer.data());
  } else if (auto* target = dynamic_cast<platform::IMessageTarget*>(component)) {
    target->Perform(platform::WM_DATAAVAILABLE, reinterpret_cast<std::intptr_t>(element.Buffer.data()), 0);
  }
}

void TRefreshThread::RefreshPass() {
  std::lock_guard lock(FLock);
  if (Terminated() || !FEnabled || FConnection == nullptr || !FConnection->IsLoaded()) return;
  plugins::IOrvLibrary* library = FConnection->Library();
  if (library == nullptr) return;
  {
    std::lock_guard connectionLock(FConnection->Lock());
    if (library->IsLinkOpen() == 0) return;
  }
  const std::uint32_t now = platform::Clock().TickCount();
  ++FPassDepth;
  // Indices, not iterators: a delivery may add elements or subscribers.
  // Removals during the pass only clear the subscriber's component.
  for (std::size_t e = 0; e < FElements.size(); ++e) {
    REFRESH_ELEMENT& element = *FElements[e];
    bool fetched = false;
    for (std::size_t i = 0; i < element.Subscribers.size(); ++i) {
      RefreshSubscriber& s = element.Subscribers[i];
      if (s.Component == nullptr) continue;
      if (!s.Active && !FForce) continue;
      if (!FForce && static_cast<std::uint32_t>(now - s.LastDelivery) <= static_cast<std::uint32_t>(s.Interval)) {
        continue;
      }
      if (!fetched) {
        // The connection may have been dropped by an earlier delivery.
        if (FConnection == nullptr || !FConnection->IsLoaded()) break;
        fetched = Request(element);
        if (!fetched) continue;
      }
      platform::TComponent* component = element.Subscribers[i].Component;
      element.Subscribers[i].LastDelivery = now;
      Deliver(element, component);
    }
    if (FConnection == nullptr) break;
  }
  if (--FPassDepth == 0) Sweep();
}

void TRefreshThread::ReloadAll() {
  std::lock_guard lock(FLock);
  FForce = true;
  RefreshPass();
  FForce = false;
}

}  // namespace orv::link
