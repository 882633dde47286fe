// Data items against the simulated ECU loaded by file name: reads, caching,
// bit-field merges, status values, failing writes, missing or old libraries,
// and the nine live values fed by the refresher's worker.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Linkfakes.h"
#include "Simulatorfixture.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Datarefresher.h"
#include "orv/platform/Clock.h"
#include "orv/platform/MainThread.h"

namespace orv::link {
namespace {

class ItemsEndToEndTest : public testing::SimulatorFixture {
 protected:
  std::unique_ptr<items::TOrvNumber> Number(int address, int mask = 255) {
    auto n = std::make_unique<items::TOrvNumber>(nullptr);
    n->ByAddress = true;
    n->Address = address;
    n->SetDataMask(mask);
    n->SetConnection(Connection.get());
    n->OnError = [this](platform::TComponent*, int code, bool writing) {
      Errors.push_back(code);
      ErrorWriting.push_back(writing);
    };
    return n;
  }
  int Count(int entry) {
    const std::vector<int> log = Log();
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  std::vector<int> Errors;
  std::vector<bool> ErrorWriting;
};

TEST_F(ItemsEndToEndTest, ReadByAddressIsCachedWhileValid) {
  Start();
  ASSERT_TRUE(Open());
  auto n = Number(216);
  n->Transformation = items::ttFormula;
  n->CoeffA = 4;
  n->CoeffB = -4;
  n->CoeffC = 0;
  n->CoeffD = 1000;
  n->SetPrecision(0.01);
  ResetLog();
  EXPECT_DOUBLE_EQ(n->GetDouble(), 0.4);
  EXPECT_DOUBLE_EQ(n->GetDouble(), 0.4);
  EXPECT_EQ(Count(216), 1);
  EXPECT_TRUE(n->Load());
  EXPECT_EQ(Count(216), 2);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ItemsEndToEndTest, BitFieldWriteMergesIntoTheEcuByte) {
  Start();
  ASSERT_TRUE(Open());
  Poke(163, 0x27);
  auto n = Number(163, 16);
  n->Transformation = items::ttFormula;
  n->CoeffD = 16;
  ASSERT_TRUE(n->SetData(1.0));
  EXPECT_EQ(Peek(163), 0x37);
  ASSERT_TRUE(n->SetData(0.0));
  EXPECT_EQ(Peek(163), 0x27);
}

TEST_F(ItemsEndToEndTest, StatusFourCountsAsAUsableValueAndIsAnnounced) {
  Start("status=4@163");
  ASSERT_TRUE(Open());
  auto n = Number(163);
  testing::TRecordingTarget listener;
  n->AddNotificationList(&listener);
  ResetLog();
  double value = -1;
  EXPECT_TRUE(n->GetData(value));
  EXPECT_DOUBLE_EQ(value, 68.0);
  EXPECT_TRUE(n->DataValid);
  EXPECT_TRUE(Errors.empty());
  ASSERT_FALSE(listener.Messages.empty());
  EXPECT_EQ(listener.Messages.back(), platform::WM_COMERROR);
  EXPECT_EQ(listener.LParams.back(), 4);
  n->GetDouble();
  EXPECT_EQ(Count(163), 1);
  n->RemoveNotificationList(&listener);
}

TEST_F(ItemsEndToEndTest, FailingReadKeepsTheHeldValueAndReportsTheStatus) {
  Start("readfail=216");
  ASSERT_TRUE(Open());
  auto n = Number(216);
  n->EcuValue = 9;
  double value = -1;
  EXPECT_FALSE(n->GetData(value));
  EXPECT_DOUBLE_EQ(value, 9.0);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], plugins::simulator::kStatusRefused);
  EXPECT_FALSE(ErrorWriting[0]);
}

TEST_F(ItemsEndToEndTest, FailingWriteLeavesTheHeldValue) {
  Start("writefail=216");
  ASSERT_TRUE(Open());
  auto n = Number(216);
  EXPECT_DOUBLE_EQ(n->GetDouble(), 101.0);
  EXPECT_FALSE(n->SetData(50.0));
  EXPECT_EQ(Peek(216), 101);
  EXPECT_EQ(n->EcuValue, 101);
  EXPECT_FALSE(Errors.empty());
  EXPECT_TRUE(ErrorWriting.back());
}

TEST_F(ItemsEndToEndTest, NoLibraryOrTooOldLibraryKeepsValuesLocalAndReportsWrites) {
  for (const std::string& name : {std::string("/nonexistent/SerOrvDL.dll"), std::string(ORV_VERSIONED_LIBRARY)}) {
    SCOPED_TRACE(name);
    Errors.clear();
    ErrorWriting.clear();
    TOrvConnection connection;
    connection.SetDllName(name);
    items::TOrvNumber n(nullptr);
    n.ByAddress = true;
    n.Address = 216;
    n.SetConnection(&connection);
    n.OnError = [this](platform::TComponent*, int code, bool writing) {
      Errors.push_back(code);
      ErrorWriting.push_back(writing);
    };
    n.SetData(3.0);
    EXPECT_FALSE(connection.IsLoaded());
    EXPECT_EQ(connection.Library(), nullptr);
    EXPECT_EQ(n.EcuValue, 3);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_TRUE(ErrorWriting[0]);
    EXPECT_EQ(Errors[0], -1);  // no library to ask for a status
    double value = 0;
    n.GetData(value);
    EXPECT_DOUBLE_EQ(value, 3.0);
  }
}

class PacketItemsTest : public testing::SimulatorFixture {
 protected:
  platform::TMainThreadQueue Queue;
  platform::TScopedMainThread ScopedMain{Queue};
};

TEST_F(PacketItemsTest, NineLiveValuesReceiveTheirBytesUntilDisabled) {
  Start();
  ASSERT_TRUE(Open());
  TDataRefresher refresher;
  refresher.SetConnection(Connection.get());
  std::vector<std::unique_ptr<items::TOrvPacketData>> values;
  std::vector<int> received(9, 0);
  for (int offset = 0; offset < 9; ++offset) {
    auto item = std::make_unique<items::TOrvPacketData>(nullptr);
    item->Offset = offset;
    item->SetTimeInterval(100);
    item->OnGetData = [&received, offset](platform::TComponent*) { ++received[static_cast<std::size_t>(offset)]; };
    item->SetActive(true);
    item->SetDataRefresher(&refresher);
    ASSERT_TRUE(item->Registered());
    values.push_back(std::move(item));
  }
  EXPECT_EQ(refresher.Thread()->ElementCount(), 1);
  refresher.SetEnabled(true);
  const std::uint32_t start = platform::Clock().TickCount();
  while (*std::min_element(received.begin(), received.end()) < 2 && platform::Clock().TickCount() - start < 5000) {
    Queue.WaitForWork(10);
    Queue.CheckSynchronize();
  }
  ASSERT_GE(*std::min_element(received.begin(), received.end()), 2);
  EXPECT_EQ(values[5]->EcuValue, 100);             // default position
  EXPECT_EQ(values[3]->EcuValue, 36);              // idle throttle 0.7 V
  EXPECT_GT(117000.0 / values[0]->EcuValue, 600);  // engine speed
  EXPECT_LE(values[6]->EcuValue, 2);
  EXPECT_LE(values[7]->EcuValue, 3);
  refresher.SetEnabled(false);
  const std::uint32_t stop = platform::Clock().TickCount();
  bool running = true;
  while ((running = refresher.Enabled()) && platform::Clock().TickCount() - stop < 2000) {
  }
  EXPECT_FALSE(running);
  const std::vector<int> before = received;
  Queue.CheckSynchronize();
  EXPECT_EQ(received, before);
  values.clear();  // items leave the refresher themselves
  EXPECT_EQ(refresher.Thread()->ElementCount(), 0);
}

}  // namespace
}  // namespace orv::link
