#pragma once
// A worker thread with the operations of the original platform's thread
// class: suspend (the worker suspends itself), resume, a termination
// request, wait and a priority. Built on std::thread and a condition
// variable.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace orv::platform {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread {
 public:
  TThread();
  // Requests termination, resumes and joins. A derived class whose Execute
  // uses its own members must do the same (Terminate, Resume, WaitFor) in its
  // own destructor, before those members go.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the worker running Execute. Call once, after construction.
  void Start();

  // Worker side: parks the worker until Resume or Terminate.
  void SuspendSelf();
  // Any thread: lets a suspended worker continue.
  void Resume();
  bool Suspended() const { return FSuspended.load(); }

  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  bool Finished() const { return FFinished.load(); }

  // Waits until Execute has returned. On the user-interface thread it keeps
  // running the work the worker hands over (MainThread().CheckSynchronize),
  // so a worker waiting in Synchronize can finish.
  void WaitFor();

  TThreadPriority Priority() const { return FPriority.load(); }
  // Stored and applied where the platform allows it.
  void SetPriority(TThreadPriority priority);

 protected:
  virtual void Execute() = 0;

 private:
  void Run();

  std::thread FThread;
  std::mutex FMutex;
  std::condition_variable FCv;
  std::atomic<bool> FSuspended{false};
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<TThreadPriority> FPriority{TThreadPriority::tpNormal};
};

}  // namespace orv::platform
