#pragma once
// TDataRefresher: polls the ECU's live data for its subscribers through its
// own TRefreshThread. Data items receive each answer through UpdateData,
// controls (message targets) through message 33144 with the buffer's
// address. At design time there is no thread and every operation does
// nothing (AddRefresh answers true).
//
// Thread: every operation runs on the user-interface thread.

#include <cstdint>
#include <memory>

#include "orv/items/Linkbase.h"
#include "orv/link/Refreshthread.h"
#include "orv/platform/Thread.h"

namespace orv::link {

class TDataRefresher : public items::TDataRefresherBase {
 public:
  static constexpr int kDefaultSleepTime = 20;

  explicit TDataRefresher(platform::TComponent* owner = nullptr);
  // Removes every element, stops and joins the worker (running the pass it
  // may be waiting to hand over), drops the connection's removal notice.
  ~TDataRefresher() override;

  const char* ClassName() const override { return "TDataRefresher"; }

  // The connection whose library is polled (not owned; cleared when it is
  // destroyed).
  items::TOrvConnectionBase* Connection() const { return FConnection; }
  void SetConnection(items::TOrvConnectionBase* connection);

  // Pause of the worker between passes, ms. Values of 0 or less are ignored.
  int SleepTime() const { return FSleepTime; }
  void SetSleepTime(int ms);

  platform::TThreadPriority Priority() const { return FPriority; }
  void SetPriority(platform::TThreadPriority priority);

  // Write: lets the worker run passes (true) or makes it wait at the top of
  // its loop (false). Read: runs the user-interface thread's pending work
  // first, then tells whether the worker is still running (not whether the
  // flag is set): after Enabled(false) it reads true until the worker waits.
  void SetEnabled(bool value);
  bool Enabled();

  bool AddRefresh(platform::TComponent* component, int interval, std::uint32_t descriptor, int index) override;
  void RemoveRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) override;
  void SuspendRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) override;
  void ResumeRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) override;
  void RemoveAll();
  void ReloadAll();
  // Runs one pass now, as the worker would have it run.
  void RefreshPass();

  // The worker, or null at design time.
  TRefreshThread* Thread() const { return FThread.get(); }

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  items::TOrvConnectionBase* FConnection = nullptr;
  int FSleepTime = kDefaultSleepTime;
  platform::TThreadPriority FPriority = platform::TThreadPriority::tpNormal;
  std::unique_ptr<TRefreshThread> FThread;
};

}  // namespace orv::link
