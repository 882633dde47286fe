#pragma once
// TRefreshThread: the worker that paces the polling of the ECU's live data,
// and the refresh list it serves. The worker only sleeps, reads its enabled
// flag and hands each RefreshPass to the user-interface thread; everything
// else, every pass included, runs on the user-interface thread.
//
// Locks: the refresher lock (re-entrant) guards the list, the flags, the
// sleep time and the connection and is held for a whole pass; the
// connection lock is taken inside it around each request, never the other
// way round.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "orv/items/Linkbase.h"
#include "orv/platform/Component.h"
#include "orv/platform/Thread.h"

namespace orv::link {

// One subscriber of a refresh request. Component is not owned; it is null
// while a subscriber removed during a pass waits to be swept.
struct RefreshSubscriber {
  bool Active = true;
  std::uint32_t LastDelivery = 0;  // millisecond tick of the last delivery
  int Interval = 0;                // milliseconds
  platform::TComponent* Component = nullptr;
};

// One ECU request, identified by (Descriptor, Index).
struct REFRESH_ELEMENT {
  static constexpr std::uint32_t kPacketBit = 0x800;
  static constexpr std::uint32_t kArrayBit = 0x100;
  static constexpr int kWideCapacity = 64;

  REFRESH_ELEMENT(std::uint32_t descriptor, int index);

  std::uint32_t Descriptor = 0;
  int Index = -1;  // -1: the request has no index
  // 64 words for the packet (word 0 the length, the packet bytes from byte
  // 4) and for arrays, else one word.
  std::vector<std::int32_t> Buffer;
  int Capacity = 1;
  std::vector<RefreshSubscriber> Subscribers;
};

class TRefreshThread : public platform::TThread {
 public:
  static constexpr int kMinimumSleepTime = 20;

  // The sleep time is at least 20 ms. Call Start() to run the worker, which
  // finds itself disabled and waits.
  explicit TRefreshThread(int sleepTime);
  // Stops the worker (also while it waits or a pass is pending) and joins
  // it, then removes every element. User-interface thread.
  ~TRefreshThread() override;

  std::recursive_mutex& Lock() { return FLock; }

  // See TDataRefresherBase. Interval 0 or less: false, nothing changes.
  bool AddRefresh(platform::TComponent* component, int interval, std::uint32_t descriptor, int index);
  void RemoveRefresh(platform::TComponent* component, std::uint32_t descriptor, int index);
  void SuspendRefresh(platform::TComponent* component, std::uint32_t descriptor, int index);
  void ResumeRefresh(platform::TComponent* component, std::uint32_t descriptor, int index);
  void RemoveAll();
  // Drops every subscription of component (it is going away).
  void ForgetComponent(platform::TComponent* component);

  // The enabled flag; setting it true wakes a waiting worker.
  void SetEnabled(bool value);
  bool EnabledFlag();
  // True while the worker waits for the enabled flag (or has ended).
  bool Waiting() const { return FWaiting.load() || Finished(); }

  // Taken as given (the refresher filters values of 0 or less).
  void SetSleepTime(int ms);
  int SleepTime();

  void SetConnection(items::TOrvConnectionBase* connection);
  items::TOrvConnectionBase* Connection();

  // One poll, on the user-interface thread: requests every element that has
  // a due subscriber (once per element) and delivers the answer.
  void RefreshPass();
  // One pass now that serves every subscriber regardless of its activity
  // and interval (while enabled and with the link open).
  void ReloadAll();

  // The list, for inspection on the user-interface thread under Lock().
  int ElementCount();
  const REFRESH_ELEMENT* FindElement(std::uint32_t descriptor, int index);

 protected:
  void Execute() override;

 private:
  REFRESH_ELEMENT* Find(std::uint32_t descriptor, int index);
  RefreshSubscriber* FindSubscriber(platform::TComponent* component, std::uint32_t descriptor, int index);
  bool Request(REFRESH_ELEMENT& element);
  void Deliver(REFRESH_ELEMENT& element, platform::TComponent* component);
  void Sweep();

  std::recursive_mutex FLock;
  std::condition_variable_any FWake;
  std::vector<std::unique_ptr<REFRESH_ELEMENT>> FElements;
  items::TOrvConnectionBase* FConnection = nullptr;
  int FSleepTime;
  bool FEnabled = false;
  bool FForce = false;
  int FPassDepth = 0;
  std::atomic<bool> FWaiting{false};
};

}  // namespace orv::link
