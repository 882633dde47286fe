// The number item: reading and caching, writing, bit-field merge, events,
// messages, listeners, configuration-file keys, and refused error values.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Itemfakes.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Messages.h"

namespace orv::items {
namespace {

using platform::WM_COMERROR;
using platform::WM_DATACHANGED;
using testing::TFakeConnection;
using testing::TMemIni;
using testing::TRecordingListener;

struct NumberFixture : ::testing::Test {
  TFakeConnection conn;
  TRecordingListener listener;
  TOrvNumber n{nullptr};
  std::vector<std::string> events;

  void SetUp() override {
    n.SetConnection(&conn);
    n.AddNotificationList(&listener);
    n.OnGetData = [this](platform::TComponent*) { events.push_back("get"); };
    n.OnSetData = [this](platform::TComponent*) { events.push_back("set"); };
    n.BeforeGetData = [this](platform::TComponent*) { events.push_back("beforeget"); };
    n.BeforeSetData = [this](platform::TComponent*) { events.push_back("beforeset"); };
    n.OnError = [this](platform::TComponent*, int code, bool writing) {
      events.push_back("error " + std::to_string(code) + (writing ? " w" : " r"));
    };
  }
};

TEST_F(NumberFixture, TwoReadsOfTheValueMakeOneEcuReadAndLoadForcesAnother) {
  conn.Fake.Values[0] = 42;
  EXPECT_EQ(n.GetDouble(), 42);
  EXPECT_EQ(n.GetDouble(), 42);
  EXPECT_EQ(conn.Fake.Reads(), 1);
  EXPECT_TRUE(n.Load());
  EXPECT_EQ(conn.Fake.Reads(), 2);
  EXPECT_EQ((std::vector<std::string>{"beforeget", "get", "beforeget", "get"}), events);
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 2);
  EXPECT_EQ(listener.Messages[0].W, reinterpret_cast<std::intptr_t>(&n));
}

TEST_F(NumberFixture, LibraryOperationByAddressingKind) {
  struct Case {
    bool ByAddress;
    int Row, Col;
    const char* Read;
    const char* Write;
  };
  const Case cases[] = {
      {true, 2, 3, "ReadByAddress 163", "WriteByAddress 163 7"},
      {false, -1, -1, "ReadData 5", "WriteData 5 7"},
      {false, 4, -1, "ReadDataIndex 5 4", "WriteDataIndex 5 4 7"},
      {false, 4, 6, "ReadDataRowCol 5 4 6", "WriteDataRowCol 5 4 6 7"},
  };
  for (const Case& c : cases) {
    TOrvNumber item(nullptr, 5, c.Row, c.Col);
    item.SetConnection(&conn);
    item.ByAddress = c.ByAddress;
    item.Address = 163;
    conn.Fake.Calls.clear();
    item.Load();
    item.SetData(7);
    ASSERT_EQ(conn.Fake.Calls.size(), 2u);
    EXPECT_EQ(conn.Fake.Calls[0], c.Read);
    EXPECT_EQ(conn.Fake.Calls[1], c.Write);
  }
}

TEST_F(NumberFixture, ExchangesHoldTheConnectionLockAndEventsRunOutsideIt) {
  conn.Fake.ProbeLock = &conn.Lock();
  bool lockFreeInHandler = true;
  n.OnGetData = [&](platform::TComponent*) {
    std::thread probe([&] {
      lockFreeInHandler = conn.Lock().try_lock();
      if (lockFreeInHandler) conn.Lock().unlock();
    });
    probe.join();
  };
  n.Load();
  n.SetData(3);
  EXPECT_TRUE(conn.Fake.LockHeldEveryTime);
  EXPECT_TRUE(lockFreeInHandler);
}

TEST_F(NumberFixture, NoLinkOpenServesTheHeldValueThenReadsAfterConnecting) {
  conn.Fake.LinkOpen = false;
  n.EcuValue = 9;
  double v = 0;
  EXPECT_TRUE(n.GetData(v));
  EXPECT_EQ(v, 9);
  EXPECT_EQ(conn.Fake.Reads(), 0);
  conn.Fake.LinkOpen = true;
  conn.Fake.Values[0] = 11;
  EXPECT_TRUE(n.Load());
  EXPECT_EQ(n.EcuValue, 11);
}

TEST_F(NumberFixture, FailedReadRestoresTheHeldValueAndReportsTheStatus) {
  n.EcuValue = 9;
  conn.Fake.FailReads = true;
  conn.Fake.Status = 2;
  double v = 0;
  EXPECT_FALSE(n.GetData(v));
  EXPECT_EQ(v, 9);
  EXPECT_FALSE(n.DataValid);
  EXPECT_EQ((std::vector<std::string>{"beforeget", "error 2 r"}), events);
  ASSERT_EQ(listener.Count(WM_COMERROR), 1);
  EXPECT_EQ(listener.Messages.back().L, 2);
}

TEST_F(NumberFixture, StatusFourCountsAsReadAndIsNotReadAgain) {
  conn.Fake.FailReads = true;
  conn.Fake.Status = 4;
  EXPECT_TRUE(n.Reload());
  EXPECT_EQ(listener.Messages.back().Msg, WM_COMERROR);
  EXPECT_EQ(listener.Messages.back().L, 4);
  double v = 0;
  EXPECT_TRUE(n.GetData(v));
  EXPECT_EQ(conn.Fake.Reads(), 1);
}

TEST_F(NumberFixture, WithoutConnectionReadsServeTheHeldValue) {
  TOrvNumber lone(nullptr);
  lone.EcuValue = 3;
  EXPECT_TRUE(lone.Reload());
  EXPECT_FALSE(lone.DataValid);
  conn.CanLoad = false;
  EXPECT_TRUE(n.Reload());
  EXPECT_TRUE(events.empty());
}

TEST_F(NumberFixture, WriteWithoutConnectionTakesTheValueAndReportsMinusOne) {
  TOrvNumber rpm(nullptr);
  rpm.Transformation = ttFormula;
  rpm.CoeffA = 0;
  rpm.CoeffB = 117000;
  rpm.CoeffC = 1;
  rpm.CoeffD = 0;
  int code = 0;
  rpm.OnError = [&](platform::TComponent*, int c, bool w) {
    code = c;
    EXPECT_TRUE(w);
  };
  EXPECT_TRUE(rpm.SetData(2000));
  EXPECT_EQ(rpm.EcuValue, 59);
  EXPECT_EQ(code, -1);
}

TEST_F(NumberFixture, FailedWriteKeepsTheHeldValue) {
  n.EcuValue = 4;
  conn.Fake.FailWrites = true;
  conn.Fake.Status = 8;
  EXPECT_FALSE(n.SetData(7));
  EXPECT_EQ(n.EcuValue, 4);
  EXPECT_FALSE(n.DataValid);
  EXPECT_EQ((std::vector<std::string>{"beforeset", "error 8 w"}), events);
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 0);
}

TEST_F(NumberFixture, SuccessfulWriteFiresEventsThenMessage) {
  EXPECT_TRUE(n.SetInt(7));
  EXPECT_EQ(n.EcuValue, 7);
  EXPECT_TRUE(n.DataValid);
  EXPECT_EQ((std::vector<std::string>{"beforeset", "set"}), events);
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
}

TEST_F(NumberFixture, ReadOnlyRefusesWrites) {
  n.ReadOnly = true;
  EXPECT_FALSE(n.SetData(3));
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
  EXPECT_FALSE(n.SetEcuData(3));
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
  EXPECT_EQ(conn.Fake.Writes(), 0);
}

TEST_F(NumberFixture, BitFieldWriteMergesIntoTheReReadByte) {
  n.ByAddress = true;
  n.Address = 163;
  n.SetDataMask(16);
  n.Transformation = ttFormula;
  n.CoeffD = 16;
  conn.Fake.Memory[163] = 0x27;
  EXPECT_TRUE(n.SetData(1));
  EXPECT_EQ(conn.Fake.Memory[163], 0x37);
  EXPECT_EQ(n.EcuValue, 0x37);
  // The re-read told no listener; only the write did.
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
}

TEST_F(NumberFixture, BitFieldRawWriteWithFailedReReadIsRefusedButUserWriteKeepsOwnBits) {
  n.ByAddress = true;
  n.Address = 10;
  n.SetDataMask(0x0F);
  conn.Fake.Memory[10] = 0xA0;
  conn.Fake.FailReads = true;
  EXPECT_FALSE(n.SetEcuData(5));
  EXPECT_EQ(conn.Fake.Writes(), 0);
  EXPECT_TRUE(n.SetData(5));
  EXPECT_EQ(conn.Fake.Memory[10], 0x05);
}

TEST_F(NumberFixture, BitFieldRawWriteMerges) {
  n.ByAddress = true;
  n.Address = 10;
  n.SetDataMask(0xF0);
  conn.Fake.Memory[10] = 0x0A;
  EXPECT_TRUE(n.SetEcuData(0x5F));
  EXPECT_EQ(conn.Fake.Memory[10], 0x5A);
}

TEST_F(NumberFixture, NotifyDisabledDeliversNothingAlsoToListeningItems) {
  TOrvNumber other(nullptr);
  TRecordingListener second;
  other.AddNotificationList(&second);
  n.AddNotificationList(&other);
  n.NotifyEnabled = false;
  n.NotifyData(WM_DATACHANGED, 0, 0);
  EXPECT_TRUE(listener.Messages.empty());
  EXPECT_TRUE(second.Messages.empty());
  n.NotifyEnabled = true;
  other.NotifyEnabled = false;
  n.NotifyData(WM_DATACHANGED, 5, 0);
  EXPECT_EQ(listener.Messages.size(), 1u);
  EXPECT_TRUE(second.Messages.empty());
  other.NotifyEnabled = true;
  n.NotifyData(WM_DATACHANGED, 5, 0);
  ASSERT_EQ(second.Messages.size(), 1u);
  EXPECT_EQ(second.Messages[0].W, 5);
}

TEST_F(NumberFixture, ListenersAreAddedOnceAndDestroyedListenersLeave) {
  n.AddNotificationList(&listener);
  EXPECT_EQ(n.NotificationList().size(), 1u);
  {
    TRecordingListener shortLived;
    n.AddNotificationList(&shortLived);
    EXPECT_EQ(n.NotificationList().size(), 2u);
  }
  EXPECT_EQ(n.NotificationList().size(), 1u);
  n.NotifyData(WM_DATACHANGED, 0, 0);
  n.RemoveNotificationList(&listener);
  EXPECT_TRUE(n.NotificationList().empty());
}

TEST_F(NumberFixture, DestroyedItemTellsItsListenersAndConnectionLossIsSafe) {
  auto item = std::make_unique<TOrvNumber>(nullptr);
  TRecordingListener l;
  item->AddNotificationList(&l);
  const platform::TComponent* raw = item.get();
  item.reset();
  EXPECT_EQ(l.Gone, raw);
  auto c = std::make_unique<TFakeConnection>();
  TOrvNumber m(nullptr);
  m.SetConnection(c.get());
  c.reset();
  EXPECT_EQ(m.Connection(), nullptr);
  EXPECT_TRUE(m.SetData(3));
  EXPECT_EQ(m.EcuValue, 3);
}

TEST_F(NumberFixture, ResetDefaultWithAndWithoutWriting) {
  n.DefaultValue = 12;
  EXPECT_TRUE(n.ResetDefault(false));
  EXPECT_EQ(n.EcuValue, 12);
  EXPECT_EQ(conn.Fake.Writes(), 0);
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
  n.DefaultValue = 13;
  EXPECT_TRUE(n.ResetDefault(true));
  EXPECT_EQ(conn.Fake.Values[0], 13);
  conn.Fake.FailWrites = true;
  n.DefaultValue = 14;
  EXPECT_FALSE(n.ResetDefault(true));
}

TEST_F(NumberFixture, InitDataTakesTheValueSilently) {
  const std::int32_t v = 77;
  n.InitData(&v);
  EXPECT_EQ(n.EcuValue, 77);
  EXPECT_TRUE(n.DataValid);
  EXPECT_TRUE(listener.Messages.empty());
  EXPECT_EQ(n.GetInt(), 77);
  EXPECT_EQ(conn.Fake.Reads(), 0);
}

TEST_F(NumberFixture, GetIntAddsHalfAndTruncates) {
  n.Transformation = ttFormula;
  n.CoeffD = 10;
  n.SetDataLength(2);
  n.SetDataSigned(true);
  conn.Fake.Values[0] = 25;
  EXPECT_EQ(n.GetInt(), 3);
  conn.Fake.Values[0] = -27 & 0xFFFF;
  n.Load();
  EXPECT_EQ(n.GetInt(), -2);
}

TEST_F(NumberFixture, UpdateDataTakesTheDatumAtThePointer) {
  const std::uint8_t bytes[] = {0x34, 0x12};
  n.SetDataLength(2);
  n.UpdateData(bytes);
  EXPECT_EQ(n.EcuValue, 0x1234);
  EXPECT_EQ((std::vector<std::string>{"beforeget", "get"}), events);
}

// A write whose conversion yields an error value never reaches the ECU.
TEST_F(NumberFixture, ConversionErrorValuesAreNeverWritten) {
  n.ByAddress = true;
  n.Address = 5;
  n.Transformation = ttTabled;
  const double e[] = {1, 2}, u[] = {10, 20};
  n.SetConversionTable(e, u, 2);
  n.EcuValue = 2;
  conn.Fake.Memory[5] = 2;
  EXPECT_FALSE(n.SetData(15));
  EXPECT_EQ(conn.Fake.Writes(), 0);
  EXPECT_EQ(n.EcuValue, 2);
  EXPECT_EQ((std::vector<std::string>{"error -10000001 w"}), events);
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);

  EXPECT_FALSE(n.SetEcuData(kConvZeroDenominator));
  EXPECT_FALSE(n.SetDataInEcu(kConvNoTable));
  n.DefaultValue = 15;
  EXPECT_FALSE(n.ResetDefault(true));
  EXPECT_EQ(n.EcuValue, 2);
  EXPECT_EQ(conn.Fake.Writes(), 0);

  TMemIni ini;
  n.FileSection = "S";
  n.FileKeyName = "K";
  ini.WriteString("S", "K", "15");
  EXPECT_FALSE(n.ReadFromFile(ini));
  n.OldReadFileMode = true;
  EXPECT_FALSE(n.ReadFromFile(ini));
  EXPECT_EQ(n.EcuValue, 2);
  EXPECT_EQ(conn.Fake.Writes(), 0);
}

TEST_F(NumberFixture, ConversionErrorWithoutLibraryIsAlsoRefused) {
  TOrvNumber rpm(nullptr);
  rpm.Transformation = ttFormula;
  rpm.CoeffA = 0;
  rpm.CoeffC = 0;  // denominator x·c − a is 0 for every value
  rpm.EcuValue = 5;
  EXPECT_FALSE(rpm.SetData(100));
  EXPECT_EQ(rpm.EcuValue, 5);
}

TEST(NumberKeys, KeyBuildingAndTypes) {
  TOrvNumber n(nullptr);
  n.FileKeyName = "X";
  EXPECT_EQ(n.FileKey(), "X");
  n.SetIndexRow(3);  // single: unchanged
  EXPECT_EQ(n.GetNumberType(), ntSingle);
  n.SetNumberType(ntVectorElement);
  n.SetIndexRow(7);
  EXPECT_EQ(n.FileKey(), "X7");
  n.SetIndexCol(4);  // vector element: unchanged
  EXPECT_EQ(n.ColIndex(), -1);
  n.SetNumberType(ntMatrixElement);
  n.SetIndexRow(2);
  n.SetIndexCol(10);
  EXPECT_EQ(n.FileKey(), "X2_10");
  TOrvNumber m(nullptr, 1, 3, 12);
  m.FileKeyName = "X";
  EXPECT_EQ(m.FileKey(), "X3_12");
  m.SetNumberType(ntSingle);
  EXPECT_EQ(m.RowIndex(), -1);
  EXPECT_EQ(m.ColIndex(), -1);
}

struct FileFixture : NumberFixture {
  TMemIni ini;
  void SetUp() override {
    NumberFixture::SetUp();
    n.FileSection = "CONFIGURAZIONE";
    n.FileKeyName = "TEMPO";
  }
};

TEST_F(FileFixture, WriteUserAndRawValues) {
  n.Transformation = ttFormula;
  n.CoeffA = 4;
  n.CoeffB = -4;
  n.CoeffD = 1000;
  n.SetPrecision(0.01);
  n.EcuValue = 109;
  EXPECT_TRUE(n.WriteToFile(ini));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("CONFIGURAZIONE", "TEMPO", 0), 0.43);
  n.StoreUserValue = false;
  EXPECT_TRUE(n.WriteToFile(ini));
  EXPECT_EQ(ini.ReadString("CONFIGURAZIONE", "TEMPO", ""), "109");
}

TEST_F(FileFixture, SectionAndKeyRules) {
  TOrvNumber none(nullptr);
  EXPECT_TRUE(none.WriteToFile(ini));
  EXPECT_TRUE(none.ReadFromFile(ini));
  none.FileSection = "S";
  EXPECT_FALSE(none.WriteToFile(ini));
  EXPECT_FALSE(none.ReadFromFile(ini));
  EXPECT_TRUE(ini.Sections["S"].empty());
}

TEST_F(FileFixture, ReadCases) {
  struct Case {
    const char* Text;  // nullptr: key missing
    bool StoreUser;
    bool Old;
    bool Result;
    int Held;
    int Writes;
  };
  const Case cases[] = {
      {nullptr, true, false, false, 1, 0}, {"abc", true, false, false, 1, 0},   {"abc", false, false, false, 1, 0},
      {"25", true, false, true, 25, 1},    {"0x1F", false, false, true, 31, 1}, {"25", true, true, true, 25, 0},
      {"31", false, true, true, 31, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text == nullptr ? "missing" : c.Text);
    ini.Sections.clear();
    conn.Fake.Calls.clear();
    n.EcuValue = 1;
    n.StoreUserValue = c.StoreUser;
    n.OldReadFileMode = c.Old;
    if (c.Text != nullptr) ini.WriteString("CONFIGURAZIONE", "TEMPO", c.Text);
    EXPECT_EQ(n.ReadFromFile(ini), c.Result);
    EXPECT_EQ(n.EcuValue, c.Held);
    EXPECT_EQ(conn.Fake.Writes(), c.Writes);
  }
}

TEST_F(FileFixture, FailedWriteFromFileTellsListeners) {
  conn.Fake.FailWrites = true;
  ini.WriteString("CONFIGURAZIONE", "TEMPO", "25");
  EXPECT_FALSE(n.ReadFromFile(ini));
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 1);
  n.StoreUserValue = false;
  EXPECT_FALSE(n.ReadFromFile(ini));
  EXPECT_EQ(listener.Count(WM_DATACHANGED), 2);
}

}  // namespace
}  // namespace orv::items
