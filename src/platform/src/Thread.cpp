#include "orv/platform/Thread.h"

#include <chrono>

#include "orv/platform/MainThread.h"

namespace orv::platform {

TThread::TThread() = default;

TThread::~TThread() {
  Terminate();
  Resume();
  WaitFor();
}

void TThread::Start() {
  if (FThread.joinable()) return;
  FThread = std::thread([this] { Run(); });
}

void TThread::Run() {
  // An exception leaving Execute would end the whole program; it ends only
  // this worker, which then counts as finished so that WaitFor returns.
  try {
    Execute();
  } catch (...) {
  }
  {
    std::lock_guard lock(FMutex);
    FFinished.store(true);
  }
  FCv.notify_all();
}

void TThread::SuspendSelf() {
  std::unique_lock lock(FMutex);
  if (FTerminated.load()) return;
  FSuspended.store(true);
  FCv.wait(lock, [&] { return !FSuspended.load() || FTerminated.load(); });
  FSuspended.store(false);
}

void TThread::Resume() {
  {
    std::lock_guard lock(FMutex);
    FSuspended.store(false);
  }
  FCv.notify_all();
}

void TThread::Terminate() {
  {
    std::lock_guard lock(FMutex);
    FTerminated.store(true);
  }
  FCv.notify_all();
}

void TThread::WaitFor() {
  if (!FThread.joinable()) return;
  if (FThread.get_id() == std::this_thread::get_id()) return;
  IMainThread& main = MainThread();
  if (main.IsMainThread()) {
    std::unique_lock lock(FMutex);
    while (!FFinished.load()) {
      lock.unlock();
      main.CheckSynchronize();
      lock.lock();
      FCv.wait_for(lock, std::chrono::milliseconds(1), [&] { return FFinished.load(); });
    }
  }
  FThread.join();
}

void TThread::SetPriority(TThreadPriority priority) {
  // Thread priorities of an unprivileged process cannot be raised on Linux;
  // the value is kept for the callers that read it back.
  FPriority.store(priority);
}

}  // namespace orv::platform
