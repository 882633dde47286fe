#pragma once
// TOrvConnection: loads the communication library ("SerOrvDL.dll") on
// demand, checks its version, owns its library object and guards every
// exchange with the connection lock. It also receives the library's link and
// progress messages and delivers them to the registered listeners on the
// user-interface thread.
//
// Thread: every operation runs on the user-interface thread, except that the
// library may send its messages from any thread.

#include <memory>
#include <mutex>
#include <string>

#include "orv/items/Linkbase.h"
#include "orv/platform/DynamicLibrary.h"
#include "orv/platform/Messages.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::platform {
class TClassRegistry;
}

namespace orv::link {

class TOrvConnection : public items::TOrvConnectionBase {
 public:
  explicit TOrvConnection(platform::TComponent* owner = nullptr);
  // Unloads the library (closing the link or the port first).
  ~TOrvConnection() override;

  const char* ClassName() const override { return "TOrvConnection"; }

  // The library's file name; "X.dll" is looked up under the platform's own
  // name. Changes are ignored while the library is loaded.
  const std::string& DllName() const { return FDllName; }
  void SetDllName(const std::string& name);
  // Stored only: the library is always loaded on first need.
  bool AutoLoadLibrary() const { return FAutoLoadLibrary; }
  void SetAutoLoadLibrary(bool value) { FAutoLoadLibrary = value; }

  // True when the library is loaded, or has been loaded now: the three
  // exports exist, the version is at least 4.9.3 and the object was created.
  // On failure nothing stays loaded and the next call tries again.
  bool LoadDll() override;
  // When loaded, under the lock: closes the link (or the port), destroys the
  // library object and frees the library.
  void UnloadDll();
  bool IsLoaded() const override { return FLoaded; }
  plugins::IOrvLibrary* Library() const override { return FLibraryObject; }
  std::recursive_mutex& Lock() override { return FLock; }

  // Fills version with the library's version; false when not loaded, when
  // version is null or when the library does not answer.
  bool GetDllVersion(plugins::FILE_VERSION_DATA* version) const;

  // Why the last LoadDll failed (empty after a success).
  const std::string& LastError() const { return FLastError; }

  // Listeners of the library's messages (33168 link, 33169 progress), not
  // owned; a listener must remove itself before it goes away. Messages are
  // delivered on the user-interface thread, at once when the library sends
  // them there; a message still queued when its listener is removed is not
  // delivered to it.
  void AddLinkListener(platform::IMessageTarget* listener);
  void RemoveLinkListener(platform::IMessageTarget* listener);

 private:
  class TSink;
  bool ControllaVersioneDll();
  void FreeLibrary();

  std::string FDllName = "SerOrvDL.dll";
  bool FAutoLoadLibrary = true;
  bool FLoaded = false;
  platform::TDynamicLibrary FLibrary;
  plugins::CreateClassInstanceFn FCreateClassInstance = nullptr;
  plugins::DestroyClassInstanceFn FDestroyClassInstance = nullptr;
  plugins::GetDLLVersionFn FGetDLLVersion = nullptr;
  plugins::IOrvLibrary* FLibraryObject = nullptr;
  std::recursive_mutex FLock;
  std::string FLastError;
  std::shared_ptr<TSink> FSink;
};

// Registers TOrvConnection and TDataRefresher for stored descriptions.
void RegisterLinkClasses(platform::TClassRegistry& registry);

}  // namespace orv::link
