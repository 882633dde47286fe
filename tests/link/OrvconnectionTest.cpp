// TOrvConnection: loading, the version check, unloading and the delivery of
// the library's messages on the user-interface thread.

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "Simulatorfixture.h"
#include "orv/link/Datarefresher.h"
#include "orv/link/Orvconnection.h"
#include "orv/platform/Description.h"
#include "orv/platform/MainThread.h"

namespace orv::link {
namespace {

using SetVersionFn = void (*)(unsigned, unsigned, unsigned, unsigned, bool);
using CountsFn = void (*)(int*, int*, int*, int*);
using SetLinkOpenFn = void (*)(bool);

class TRecorder final : public platform::IMessageTarget {
 public:
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override {
    Seen.push_back({msg, wparam, lparam});
    OnMainThread.push_back(std::this_thread::get_id() == MainId);
    if (OnMessage) OnMessage();
    return 0;
  }
  struct Msg {
    unsigned M;
    std::intptr_t W, L;
  };
  std::vector<Msg> Seen;
  std::vector<bool> OnMainThread;
  std::thread::id MainId = std::this_thread::get_id();
  std::function<void()> OnMessage;
};

TEST(OrvConnectionTest, DefaultsAndDllNameIgnoredWhileLoaded) {
  TOrvConnection c;
  EXPECT_EQ(c.DllName(), "SerOrvDL.dll");
  EXPECT_TRUE(c.AutoLoadLibrary());
  EXPECT_FALSE(c.IsLoaded());
  EXPECT_EQ(c.Library(), nullptr);
  plugins::FILE_VERSION_DATA v;
  EXPECT_FALSE(c.GetDllVersion(&v));
  c.SetDllName(testing::kSimulatorPath);
  ASSERT_TRUE(c.LoadDll()) << c.LastError();
  c.SetDllName("Other.dll");
  EXPECT_EQ(c.DllName(), testing::kSimulatorPath);
  ASSERT_TRUE(c.GetDllVersion(&v));
  EXPECT_EQ(v.Major, 4u);
  EXPECT_GE(v.Minor, 10u);
  EXPECT_FALSE(c.GetDllVersion(nullptr));
  EXPECT_TRUE(c.LoadDll());  // already loaded
  c.UnloadDll();
  EXPECT_FALSE(c.IsLoaded());
  EXPECT_EQ(c.Library(), nullptr);
  c.SetDllName("Other.dll");
  EXPECT_EQ(c.DllName(), "Other.dll");
}

TEST(OrvConnectionTest, LoadsTheBuiltLibraryByItsDllNameFromTheProgramFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(ORV_BIN_DIR);
  TOrvConnection c;
  const bool loaded = c.LoadDll();
  std::filesystem::current_path(previous);
  ASSERT_TRUE(loaded) << c.LastError();
  EXPECT_NE(c.Library(), nullptr);
}

TEST(OrvConnectionTest, NoLibraryAtAllFailsAndTriesAgainNextTime) {
  TOrvConnection c;
  c.SetDllName("/nonexistent/NoSuchLibrary.dll");
  EXPECT_FALSE(c.LoadDll());
  EXPECT_FALSE(c.IsLoaded());
  EXPECT_EQ(c.Library(), nullptr);
  EXPECT_FALSE(c.LastError().empty());
  c.SetDllName(testing::kSimulatorPath);
  EXPECT_TRUE(c.LoadDll());
}

TEST(OrvConnectionTest, MissingExportIsRefused) {
  TOrvConnection c;
  c.SetDllName(ORV_MISSING_EXPORT_LIBRARY);
  EXPECT_FALSE(c.LoadDll());
  EXPECT_FALSE(c.IsLoaded());
  EXPECT_EQ(c.Library(), nullptr);
}

TEST(OrvConnectionTest, VersionMustBeAtLeast493) {
  platform::TDynamicLibrary controls;
  ASSERT_TRUE(controls.Load(ORV_VERSIONED_LIBRARY));
  auto setVersion = controls.Function<SetVersionFn>("_TestSetVersion");
  auto counts = controls.Function<CountsFn>("_TestCounts");
  ASSERT_TRUE(setVersion && counts);
  struct Case {
    unsigned Major, Minor, Release, Build;
    bool Answers;
    bool Accepted;
  };
  const Case cases[] = {
      {4, 9, 2, 999, true, false}, {4, 9, 3, 0, true, true}, {4, 8, 9, 0, true, false}, {3, 99, 99, 0, true, false},
      {4, 10, 0, 0, true, true},   {5, 0, 0, 0, true, true}, {4, 9, 4, 0, true, true},  {4, 10, 0, 0, false, false},
  };
  for (const Case& k : cases) {
    setVersion(k.Major, k.Minor, k.Release, k.Build, k.Answers);
    int created0 = 0, destroyed0 = 0, cp = 0, cl = 0;
    counts(&created0, &destroyed0, &cp, &cl);
    {
      TOrvConnection c;
      c.SetDllName(ORV_VERSIONED_LIBRARY);
      EXPECT_EQ(c.LoadDll(), k.Accepted) << k.Major << "." << k.Minor << "." << k.Release;
      EXPECT_EQ(c.IsLoaded(), k.Accepted);
      EXPECT_EQ(c.Library() != nullptr, k.Accepted);
    }
    int created = 0, destroyed = 0;
    counts(&created, &destroyed, &cp, &cl);
    // A refused library never hands out an object; an accepted one is destroyed.
    EXPECT_EQ(created - created0, k.Accepted ? 1 : 0);
    EXPECT_EQ(destroyed - destroyed0, k.Accepted ? 1 : 0);
  }
  setVersion(4, 9, 2, 0, true);
}

TEST(OrvConnectionTest, UnloadClosesTheLinkWhenOpenElseThePort) {
  platform::TDynamicLibrary controls;
  ASSERT_TRUE(controls.Load(ORV_VERSIONED_LIBRARY));
  auto setVersion = controls.Function<SetVersionFn>("_TestSetVersion");
  auto counts = controls.Function<CountsFn>("_TestCounts");
  auto setLinkOpen = controls.Function<SetLinkOpenFn>("_TestSetLinkOpen");
  setVersion(4, 9, 3, 0, true);
  for (bool open : {true, false}) {
    int c0, d0, closePort0, closeLink0;
    counts(&c0, &d0, &closePort0, &closeLink0);
    TOrvConnection c;
    c.SetDllName(ORV_VERSIONED_LIBRARY);
    ASSERT_TRUE(c.LoadDll());
    setLinkOpen(open);
    c.UnloadDll();
    int c1, d1, closePort1, closeLink1;
    counts(&c1, &d1, &closePort1, &closeLink1);
    EXPECT_EQ(closeLink1 - closeLink0, open ? 1 : 0);
    EXPECT_EQ(closePort1 - closePort0, open ? 0 : 1);
    EXPECT_EQ(d1 - d0, 1);
  }
  setVersion(4, 9, 2, 0, true);
}

// The listeners outlive the connection: it is unloaded in TearDown, which
// closes the link and tells whoever is still registered.
class ConnectionMessagesTest : public testing::SimulatorFixture {
 protected:
  void TearDown() override { Connection.reset(); }
  platform::TMainThreadQueue Queue;
  platform::TScopedMainThread ScopedMain{Queue};
  TRecorder a, b;
};

TEST_F(ConnectionMessagesTest, LinkMessageOnTheMainThreadArrivesAtOnce) {
  Start();
  Connection->AddLinkListener(&a);
  Connection->AddLinkListener(&b);
  Connection->AddLinkListener(&a);  // once only
  ASSERT_TRUE(Open());
  ASSERT_EQ(a.Seen.size(), 1u);
  EXPECT_EQ(a.Seen[0].M, platform::WM_LINKCHANGED);
  EXPECT_EQ(a.Seen[0].L, 1);
  EXPECT_EQ(b.Seen.size(), 1u);
  Connection->RemoveLinkListener(&b);
  Lib().CloseLink();
  ASSERT_EQ(a.Seen.size(), 2u);
  EXPECT_EQ(a.Seen[1].L, 0);
  EXPECT_EQ(b.Seen.size(), 1u);
}

TEST_F(ConnectionMessagesTest, MessagesFromAnotherThreadAreDeliveredOnTheMainThread) {
  Start();
  Connection->AddLinkListener(&a);
  std::thread worker([&] { Lib().OpenLink(); });
  worker.join();
  EXPECT_TRUE(a.Seen.empty());  // queued, not yet delivered
  EXPECT_TRUE(Queue.CheckSynchronize());
  ASSERT_EQ(a.Seen.size(), 1u);
  EXPECT_EQ(a.Seen[0].M, platform::WM_LINKCHANGED);
  EXPECT_EQ(a.Seen[0].L, 1);
  EXPECT_TRUE(a.OnMainThread[0]);
}

TEST_F(ConnectionMessagesTest, QueuedMessageDoesNotReachARemovedListenerOrADeadConnection) {
  Start();
  TRecorder& kept = a;
  TRecorder& removed = b;
  Connection->AddLinkListener(&kept);
  Connection->AddLinkListener(&removed);
  std::thread([&] { Lib().OpenLink(); }).join();
  Connection->RemoveLinkListener(&removed);
  Queue.CheckSynchronize();
  EXPECT_EQ(kept.Seen.size(), 1u);
  EXPECT_TRUE(removed.Seen.empty());
  // A message queued before the connection is destroyed goes nowhere.
  std::thread([&] { Lib().CloseLink(); }).join();
  Connection.reset();
  Queue.CheckSynchronize();
  EXPECT_EQ(kept.Seen.size(), 1u);
}

TEST_F(ConnectionMessagesTest, ListenerMayRemoveAnotherDuringDelivery) {
  Start();
  TRecorder& first = a;
  TRecorder& second = b;
  first.OnMessage = [&] { Connection->RemoveLinkListener(&second); };
  Connection->AddLinkListener(&first);
  Connection->AddLinkListener(&second);
  ASSERT_TRUE(Open());
  EXPECT_EQ(first.Seen.size(), 1u);
  EXPECT_TRUE(second.Seen.empty());
  first.OnMessage = nullptr;
}

TEST_F(ConnectionMessagesTest, UnloadWithTheLinkOpenClosesItAndSaysSo) {
  Start();
  Connection->AddLinkListener(&a);
  ASSERT_TRUE(Open());
  ResetLog();
  Connection->UnloadDll();
  ASSERT_EQ(a.Seen.size(), 2u);
  EXPECT_EQ(a.Seen[1].L, 0);
  EXPECT_EQ(Log(), std::vector<int>{plugins::simulator::kLogCloseLink});
}

TEST(LinkRegistrationTest, DescriptionSetsConnectionAndRefresherProperties) {
  platform::TClassRegistry registry;
  RegisterLinkClasses(registry);
  platform::TComponent root;
  const char* text = R"(object Module: TComponent
  object OrvConnection: TOrvConnection
    DllName = 'Other.dll'
    AutoLoadLibrary = False
  end
  object DataRefresher: TDataRefresher
    Connection = OrvConnection
    SleepTime = 35
    Priority = tpIdle
  end
end
)";
  std::string error;
  { platform::TClassBuilder<platform::TComponent>(registry, "TComponent", "", false); }
  ASSERT_TRUE(platform::TryReadDescription(root, text, registry, &error)) << error;
  auto* connection = dynamic_cast<TOrvConnection*>(root.FindComponent("OrvConnection"));
  auto* refresher = dynamic_cast<TDataRefresher*>(root.FindComponent("DataRefresher"));
  ASSERT_NE(connection, nullptr);
  ASSERT_NE(refresher, nullptr);
  EXPECT_EQ(connection->DllName(), "Other.dll");
  EXPECT_FALSE(connection->AutoLoadLibrary());
  EXPECT_EQ(refresher->Connection(), connection);
  EXPECT_EQ(refresher->SleepTime(), 35);
  EXPECT_EQ(refresher->Priority(), platform::TThreadPriority::tpIdle);
}

}  // namespace
}  // namespace orv::link
