#pragma once
// Component base: owner and owned components, names, mutual destruction
// notices and the loading and designing state flags.
//
// Ownership: a component created with an owner is freed by that owner (last
// created first). A component destroyed earlier leaves its owner's list
// itself. A component without owner belongs to whoever created it.
//
// Destruction notices: FreeNotification(other) makes each side receive
// Notification(x, opRemove) when the other is destroyed; the receiver clears
// its references to x there and must not call into x. The owner is told of
// each owned component's destruction and passes the notice on to its other
// owned components, so references between siblings are cleared too.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

enum class TOperation { opInsert, opRemove };

enum TComponentState : unsigned {
  csLoading = 1u << 0,
  csDesigning = 1u << 1,
  csDestroying = 1u << 2,
};

class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();

  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Class name as the stored descriptions and the class registry know it.
  virtual const char* ClassName() const { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& name) { FName = name; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<std::size_t>(index)); }
  // The owned component with this name (case-insensitive), or nullptr.
  TComponent* FindComponent(std::string_view name) const;

  std::intptr_t Tag = 0;

  unsigned ComponentState() const { return FState; }
  bool IsLoading() const { return (FState & csLoading) != 0; }
  bool IsDesigning() const { return (FState & csDesigning) != 0; }
  bool IsDestroying() const { return (FState & csDestroying) != 0; }
  void SetLoading(bool value);
  void SetDesigning(bool value);  // applies to owned components too

  // After-loading hook: runs once the stored description has been read and
  // every reference resolved. The base clears csLoading.
  virtual void Loaded();

  // Stored descriptions: the enclosing object of a nested description
  // (a control's parent). The base ignores it.
  virtual void SetParentComponent(TComponent* parent);

  // Mutual destruction notices (see above). Registering twice is harmless.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Frees every owned component, last first. Derived classes whose owned
  // components may call back into them during destruction call this first
  // in their own destructor.
  void DestroyComponents();

 protected:
  // Told when a component this one is linked with is inserted or removed.
  // The base passes the notice on to the owned components.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  TComponent* FOwner = nullptr;
  std::string FName;
  unsigned FState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// Names compare without case, as component names do.
bool SameName(std::string_view a, std::string_view b);

}  // namespace orv::platform
