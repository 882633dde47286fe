#include "orv/link/Orvconnection.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "orv/platform/MainThread.h"

namespace orv::link {

// The notification sink handed to the library. It outlives the connection
// when a message is still queued for the user-interface thread: the queued
// delivery holds it and finds the listener list emptied by then.
class TOrvConnection::TSink final : public plugins::INotificationSink,
                                    public std::enable_shared_from_this<TOrvConnection::TSink> {
 public:
  void Notify(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override {
    platform::IMainThread& main = platform::MainThread();
    if (main.IsMainThread()) {
      Deliver(msg, wparam, lparam);
      return;
    }
    std::weak_ptr<TSink> self = weak_from_this();
    main.Queue([self, msg, wparam, lparam] {
      if (auto sink = self.lock()) sink->Deliver(msg, wparam, lparam);
    });
  }

  void Add(platform::IMessageTarget* listener) {
    std::lock_guard lock(FMutex);
    if (listener != nullptr && std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end()) {
      FListeners.push_back(listener);
    }
  }
  void Remove(platform::IMessageTarget* listener) {
    std::lock_guard lock(FMutex);
    std::erase(FListeners, listener);
  }
  void Clear() {
    std::lock_guard lock(FMutex);
    FListeners.clear();
  }

 private:
  // User-interface thread. A listener may add or remove listeners from its
  // handler: each one is checked again just before it is called.
  void Deliver(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
    std::vector<platform::IMessageTarget*> snapshot;
    {
      std::lock_guard lock(FMutex);
      snapshot = FListeners;
    }
    for (platform::IMessageTarget* listener : snapshot) {
      {
        std::lock_guard lock(FMutex);
        if (std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end()) continue;
      }
      listener->Perform(msg, wparam, lparam);
    }
  }

  std::mutex FMutex;
  std::vector<platform::IMessageTarget*> FListeners;
};

TOrvConnection::TOrvConnection(platform::TComponent* owner)
    : items::TOrvConnectionBase(owner), FSink(std::make_shared<TSink>()) {}

TOrvConnection::~TOrvConnection() {
  UnloadDll();
  FSink->Clear();
}

void TOrvConnection::SetDllName(const std::string& name) {
  if (!FLoaded) FDllName = name;
}

bool TOrvConnection::LoadDll() {
  if (FLoaded) return true;
  FLastError.clear();
  if (!FLibrary.Load(FDllName)) {
    FLastError = "cannot load " + FDllName + ": " + FLibrary.LastError();
    return false;
  }
  FCreateClassInstance = FLibrary.Function<plugins::CreateClassInstanceFn>(plugins::kCreateClassInstance);
  FDestroyClassInstance = FLibrary.Function<plugins::DestroyClassInstanceFn>(plugins::kDestroyClassInstance);
  FGetDLLVersion = FLibrary.Function<plugins::GetDLLVersionFn>(plugins::kGetDLLVersion);
  if (FCreateClassInstance == nullptr || FDestroyClassInstance == nullptr || FGetDLLVersion == nullptr) {
    FLastError = FDllName + " lacks one of its exports";
    FreeLibrary();
    return false;
  }
  if (!ControllaVersioneDll()) {
    FLastError = FDllName + " is older than version 4.9.3";
    FreeLibrary();
    return false;
  }
  FLibraryObject = FCreateClassInstance();
  if (FLibraryObject == nullptr) {
    FLastError = FDllName + " gave no library object";
    FreeLibrary();
    return false;
  }
  FLibraryObject->SetNotificationSink(FSink.get());
  FLoaded = true;
  return true;
}

bool TOrvConnection::ControllaVersioneDll() {
  plugins::FILE_VERSION_DATA version;
  if (FGetDLLVersion == nullptr || !FGetDLLVersion(&version)) return false;
  return std::tie(version.Major, version.Minor, version.Release) >= std::make_tuple(4u, 9u, 3u);
}

void TOrvConnection::UnloadDll() {
  if (!FLoaded) return;
  std::lock_guard lock(FLock);
  if (FLibraryObject != nullptr) {
    if (FLibraryObject->IsLinkOpen() != 0) {
      FLibraryObject->CloseLink();
    } else {
      FLibraryObject->ClosePort();
    }
    FLibraryObject->SetNotificationSink(nullptr);
    FDestroyClassInstance(FLibraryObject);
    FLibraryObject = nullptr;
  }
  FreeLibrary();
  FLoaded = false;
}

void TOrvConnection::FreeLibrary() {
  FCreateClassInstance = nullptr;
  FDestroyClassInstance = nullptr;
  FGetDLLVersion = nullptr;
  FLibrary.Unload();
}

bool TOrvConnection::GetDllVersion(plugins::FILE_VERSION_DATA* version) const {
  if (!FLoaded || version == nullptr || FGetDLLVersion == nullptr) return false;
  return FGetDLLVersion(version);
}

void TOrvConnection::AddLinkListener(platform::IMessageTarget* listener) { FSink->Add(listener); }

void TOrvConnection::RemoveLinkListener(platform::IMessageTarget* listener) { FSink->Remove(listener); }

}  // namespace orv::link
