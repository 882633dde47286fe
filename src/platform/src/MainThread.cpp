#include "orv/platform/MainThread.h"

#include <atomic>
#include <chrono>

namespace orv::platform {

TMainThreadQueue::TMainThreadQueue() : FMainId(std::this_thread::get_id()) {}

bool TMainThreadQueue::IsMainThread() const {
  std::lock_guard lock(FMutex);
  return std::this_thread::get_id() == FMainId;
}

void TMainThreadQueue::SetMainThreadId(std::thread::id id) {
  std::lock_guard lock(FMutex);
  FMainId = id;
}

void TMainThreadQueue::Synchronize(const std::function<void()>& fn) {
  if (IsMainThread()) {
    fn();
    return;
  }
  auto job = std::make_shared<Job>();
  job->Fn = fn;
  {
    std::lock_guard lock(FMutex);
    FJobs.push_back(job);
  }
  FWorkCv.notify_all();
  WorkArrived();
  std::unique_lock lock(FMutex);
  FDoneCv.wait(lock, [&] { return job->Done; });
  if (job->Error) std::rethrow_exception(job->Error);
}

void TMainThreadQueue::Queue(std::function<void()> fn) {
  auto job = std::make_shared<Job>();
  job->Fn = std::move(fn);
  {
    std::lock_guard lock(FMutex);
    FJobs.push_back(job);
  }
  FWorkCv.notify_all();
  WorkArrived();
}

bool TMainThreadQueue::CheckSynchronize() {
  bool ran = false;
  for (;;) {
    std::shared_ptr<Job> job;
    {
      std::lock_guard lock(FMutex);
      if (FJobs.empty()) break;
      job = FJobs.front();
      FJobs.pop_front();
    }
    try {
      job->Fn();
    } catch (...) {
      // The waiting thread rethrows it; a queued job has nobody to tell.
      job->Error = std::current_exception();
    }
    ran = true;
    {
      // Let go of the job under the lock: a waiting caller then holds the
      // last reference and frees the job (and its exception) itself.
      std::lock_guard lock(FMutex);
      job->Done = true;
      job.reset();
    }
    FDoneCv.notify_all();
  }
  return ran;
}

void TMainThreadQueue::WaitForWork(unsigned ms) {
  std::unique_lock lock(FMutex);
  FWorkCv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !FJobs.empty(); });
}

namespace {
TMainThreadQueue& DefaultQueue() {
  static TMainThreadQueue queue;
  return queue;
}
std::atomic<IMainThread*> gMainThread{nullptr};
}  // namespace

IMainThread& MainThread() {
  IMainThread* d = gMainThread.load();
  return d != nullptr ? *d : DefaultQueue();
}

void SetMainThread(IMainThread* dispatcher) { gMainThread.store(dispatcher); }

}  // namespace orv::platform
