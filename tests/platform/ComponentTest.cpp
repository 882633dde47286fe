#include "orv/platform/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv::platform {
namespace {

// Writes its name into a shared log when destroyed and keeps one watched
// reference to another component.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::string name, std::vector<std::string>* log) : TComponent(owner), FLog(log) {
    SetName(name);
  }
  ~TProbe() override {
    if (FLog != nullptr) FLog->push_back(Name());
  }
  void Watch(TComponent* other) {
    Ref = other;
    FreeNotification(other);
  }
  void Loaded() override {
    ++LoadedCalls;
    TComponent::Loaded();
  }

  TComponent* Ref = nullptr;
  std::vector<TComponent*> Removed;
  int LoadedCalls = 0;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    Removed.push_back(component);
    if (component == Ref) Ref = nullptr;
  }

 private:
  std::vector<std::string>* FLog;
};

TEST(ComponentTest, OwnerFreesOwnedLastFirst) {
  std::vector<std::string> log;
  {
    TComponent owner;
    new TProbe(&owner, "A", &log);
    new TProbe(&owner, "B", &log);
    new TProbe(&owner, "C", &log);
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(1)->Name(), "B");
    EXPECT_EQ(owner.FindComponent("b"), owner.Components(1));
    EXPECT_EQ(owner.FindComponent("D"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
  }
  const std::vector<std::string> expected = {"C", "B", "A"};
  EXPECT_EQ(log, expected);
}

TEST(ComponentTest, EarlyDestructionLeavesOwnersList) {
  std::vector<std::string> log;
  TProbe owner(nullptr, "Owner", &log);
  auto* a = new TProbe(&owner, "A", &log);
  auto* b = new TProbe(&owner, "B", &log);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->Owner(), &owner);
  owner.DestroyComponents();
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"A", "B"}));
}

TEST(ComponentTest, MutualNoticesClearReferencesBothWays) {
  auto* a = new TProbe(nullptr, "A", nullptr);
  auto* b = new TProbe(nullptr, "B", nullptr);
  a->Watch(b);
  b->Watch(a);
  delete b;
  EXPECT_EQ(a->Ref, nullptr);
  ASSERT_EQ(a->Removed.size(), 1u);
  delete a;  // no notice goes to the freed b

  auto* c = new TProbe(nullptr, "C", nullptr);
  auto* d = new TProbe(nullptr, "D", nullptr);
  c->Watch(d);
  const std::vector<TComponent*> told{c};  // taken before c is freed
  delete c;
  EXPECT_EQ(d->Removed, told);
  delete d;
}

TEST(ComponentTest, RemovedNotificationIsNoLongerSent) {
  TProbe a(nullptr, "A", nullptr);
  auto* b = new TProbe(nullptr, "B", nullptr);
  a.Watch(b);
  a.RemoveFreeNotification(b);
  delete b;
  EXPECT_TRUE(a.Removed.empty());
}

TEST(ComponentTest, SiblingsAreToldThroughTheOwner) {
  TProbe owner(nullptr, "Owner", nullptr);
  auto* a = new TProbe(&owner, "A", nullptr);
  auto* b = new TProbe(&owner, "B", nullptr);
  a->Ref = b;  // no FreeNotification: siblings hear of each other through the owner
  const std::vector<TComponent*> told{b};  // taken before b is freed
  delete b;
  EXPECT_EQ(a->Ref, nullptr);
  EXPECT_EQ(owner.Removed, told);
}

TEST(ComponentTest, LoadingAndDesigningFlags) {
  TProbe owner(nullptr, "Owner", nullptr);
  auto* a = new TProbe(&owner, "A", nullptr);
  owner.SetDesigning(true);
  EXPECT_TRUE(owner.IsDesigning());
  EXPECT_TRUE(a->IsDesigning());
  auto* b = new TProbe(&owner, "B", nullptr);
  EXPECT_TRUE(b->IsDesigning());  // inherited from a designing owner
  owner.SetDesigning(false);
  EXPECT_FALSE(a->IsDesigning());
  EXPECT_FALSE(b->IsDesigning());

  a->SetLoading(true);
  EXPECT_TRUE(a->IsLoading());
  EXPECT_FALSE(owner.IsLoading());
  a->Loaded();
  EXPECT_EQ(a->LoadedCalls, 1);
  EXPECT_FALSE(a->IsLoading());
  EXPECT_EQ(a->ComponentState() & csDestroying, 0u);
}

}  // namespace
}  // namespace orv::platform
