#pragma once
// What the data items need of the ECU link, owned here and implemented by
// the link layer (TOrvConnection, TDataRefresher), which sits above the items.

#include <cstdint>
#include <mutex>

#include "orv/platform/Component.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::items {

// The component that owns the communication library.
class TOrvConnectionBase : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;

  // True when the library is loaded, or could be loaded now.
  virtual bool LoadDll() = 0;
  virtual bool IsLoaded() const = 0;
  // The library object while loaded, else nullptr.
  virtual plugins::IOrvLibrary* Library() const = 0;
  // The connection lock, re-entrant, held around every exchange with the
  // library object.
  virtual std::recursive_mutex& Lock() = 0;
};

// The component that polls the ECU's live data for its subscribers.
// Subscribers are identified by (component, descriptor, index).
class TDataRefresherBase : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;

  // Registers the component, or changes its interval when it is already
  // registered there (its active state stays). An interval of 0 or less is
  // refused with false.
  virtual bool AddRefresh(platform::TComponent* component, int interval, std::uint32_t descriptor, int index) = 0;
  virtual void RemoveRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) = 0;
  virtual void SuspendRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) = 0;
  virtual void ResumeRefresh(platform::TComponent* component, std::uint32_t descriptor, int index) = 0;
};

}  // namespace orv::items
