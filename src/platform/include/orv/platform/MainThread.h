#pragma once
// Main-thread dispatch: the user-interface thread runs every window, item
// and library call; other threads hand work to it.
//
// TMainThreadQueue is the queue both implementations share: the test double
// uses it as it is, the Qt program wakes its event loop when work arrives.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace orv::platform {

class IMainThread {
 public:
  virtual ~IMainThread() = default;
  // True on the user-interface thread.
  virtual bool IsMainThread() const = 0;
  // Runs fn on the user-interface thread and waits until it has run; on the
  // user-interface thread itself fn runs at once.
  virtual void Synchronize(const std::function<void()>& fn) = 0;
  // Runs fn on the user-interface thread later, without waiting.
  virtual void Queue(std::function<void()> fn) = 0;
  // User-interface thread: runs the work handed over so far; true when any ran.
  virtual bool CheckSynchronize() = 0;
  // User-interface thread: runs handed-over work and the window system's
  // pending events.
  virtual void ProcessMessages() = 0;
};

// A queue of work for the user-interface thread, which is the thread that
// created it (or the one given to SetMainThreadId).
class TMainThreadQueue : public IMainThread {
 public:
  TMainThreadQueue();
  bool IsMainThread() const override;
  void Synchronize(const std::function<void()>& fn) override;
  void Queue(std::function<void()> fn) override;
  bool CheckSynchronize() override;
  void ProcessMessages() override { CheckSynchronize(); }
  void SetMainThreadId(std::thread::id id);
  // Blocks the user-interface thread until work arrives or ms elapse.
  void WaitForWork(unsigned ms);

 protected:
  // Called (on any thread) after work was queued; the Qt side wakes its loop.
  virtual void WorkArrived() {}

 private:
  struct Job {
    std::function<void()> Fn;
    bool Done = false;
    std::exception_ptr Error;
  };
  mutable std::mutex FMutex;
  std::condition_variable FWorkCv;
  std::condition_variable FDoneCv;
  std::deque<std::shared_ptr<Job>> FJobs;
  std::thread::id FMainId;
};

// The dispatcher the process uses. Until one is installed, a queue whose
// user-interface thread is the first thread that asked.
IMainThread& MainThread();
// Installs a dispatcher (not owned); nullptr restores the default queue.
void SetMainThread(IMainThread* dispatcher);

class TScopedMainThread {
 public:
  explicit TScopedMainThread(IMainThread& d) : FPrevious(&MainThread()) { SetMainThread(&d); }
  ~TScopedMainThread() { SetMainThread(FPrevious); }
  TScopedMainThread(const TScopedMainThread&) = delete;
  TScopedMainThread& operator=(const TScopedMainThread&) = delete;

 private:
  IMainThread* FPrevious;
};

}  // namespace orv::platform
