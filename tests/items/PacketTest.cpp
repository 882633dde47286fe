// The packet item: taking its datum from the refresher's buffer and its
// registration with the refresher.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Itemfakes.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Messages.h"

namespace orv::items {
namespace {

using testing::TFakeConnection;
using testing::TFakeRefresher;
using testing::TRecordingListener;

// A refresher buffer: 32-bit length, then the packet bytes.
std::vector<std::uint8_t> Buffer(std::vector<std::uint8_t> packet) {
  std::vector<std::uint8_t> b(256, 0);
  b[0] = static_cast<std::uint8_t>(packet.size());
  for (std::size_t i = 0; i < packet.size(); ++i) b[4 + i] = packet[i];
  return b;
}

TEST(PacketTest, Construction) {
  TOrvPacketData p(nullptr, 3);
  EXPECT_EQ(p.DataDescriptor(), 2048u + 3u);
  EXPECT_TRUE(p.ReadOnly);
  EXPECT_EQ(p.TimeInterval(), 1000);
  EXPECT_FALSE(p.Active());
  EXPECT_EQ(p.DataType(), sdtPacket);
  p.SetDataLength(2);
  p.SetDataSigned(true);
  EXPECT_EQ(p.DataDescriptor(), 2048u + 3u + 512u + 1024u);
}

TEST(PacketTest, UpdateDataTakesItsDatumAtItsOffset) {
  struct Case {
    int Offset, Length;
    bool Signed;
    std::vector<std::uint8_t> Packet;
    int Expected;
  };
  const Case cases[] = {
      {3, 1, false, {10, 20, 30, 40, 50, 60, 70, 80, 90}, 40},
      {3, 1, true, {10, 20, 30, 0xF6, 50}, -10},
      {0, 1, false, {0xF6}, 0xF6},
      {2, 2, false, {1, 2, 0x34, 0x12}, 0x1234},
      {2, 2, true, {1, 2, 0xF6, 0xFF}, -10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Offset);
    TOrvPacketData p(nullptr);
    TRecordingListener l;
    p.AddNotificationList(&l);
    std::vector<std::string> events;
    p.BeforeGetData = [&](platform::TComponent*) { events.push_back("before"); };
    p.OnGetData = [&](platform::TComponent*) { events.push_back("get"); };
    p.SetDataLength(c.Length);
    p.SetDataSigned(c.Signed);
    p.Offset = c.Offset;
    const auto b = Buffer(c.Packet);
    p.UpdateData(b.data());
    EXPECT_EQ(p.EcuValue, c.Expected);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "get"}));
    ASSERT_EQ(l.Messages.size(), 1u);
    EXPECT_EQ(l.Messages[0].W, reinterpret_cast<std::intptr_t>(&p));
  }
}

TEST(PacketTest, OffsetOutsideTheBufferIsNeverRead) {
  TOrvPacketData p(nullptr);
  p.EcuValue = 5;
  const auto b = Buffer({1, 2, 3});
  for (int offset : {-1, 252, 1000}) {
    p.Offset = offset;
    p.UpdateData(b.data());
    EXPECT_EQ(p.EcuValue, 5);
  }
  p.Offset = 251;
  p.UpdateData(b.data());
  EXPECT_EQ(p.EcuValue, 0);
}

TEST(PacketTest, ConversionHappensWhenAsked) {
  TOrvPacketData p(nullptr);
  TFakeConnection conn;
  p.Transformation = ttFormula;
  p.CoeffA = 5;
  p.CoeffD = 255;
  p.SetPrecision(0.01);
  p.OnGetData = [&](platform::TComponent*) { p.Transformation = ttNone; };
  const auto b = Buffer({128});
  p.UpdateData(b.data());
  EXPECT_EQ(p.GetDouble(), 128);
  p.Transformation = ttFormula;
  EXPECT_DOUBLE_EQ(p.GetDouble(), 2.51);
  EXPECT_EQ(p.GetInt(), 3);
  EXPECT_FALSE(p.Reload());
  EXPECT_FALSE(p.Load());
  EXPECT_FALSE(p.Download());
  EXPECT_FALSE(p.ResetDefault(true));
  EXPECT_EQ(conn.Fake.Calls.size(), 0u);
}

TEST(PacketTest, InitDataStoresTheConversion) {
  TOrvPacketData p(nullptr);
  TRecordingListener l;
  p.AddNotificationList(&l);
  p.Transformation = ttFormula;
  p.CoeffA = 0;
  p.CoeffB = 117000;
  p.CoeffC = 1;
  p.CoeffD = 0;
  p.InitData(0);
  EXPECT_EQ(p.EcuValue, -10000002);
  p.Transformation = ttNone;
  p.InitData(0);
  EXPECT_EQ(p.EcuValue, 0);
  EXPECT_EQ(l.Count(platform::WM_DATACHANGED), 2);
}

TEST(PacketTest, RegistrationFollowsActiveAndRefresher) {
  TFakeRefresher r;
  TOrvPacketData p(nullptr, 1);
  p.SetActive(true);  // no refresher yet
  EXPECT_TRUE(r.Entries.empty());
  p.SetDataRefresher(&r);
  ASSERT_EQ(r.Entries.size(), 1u);
  EXPECT_TRUE(p.Registered());
  EXPECT_TRUE(r.Entries[0].Active);
  EXPECT_EQ(r.Entries[0].Descriptor, 2049u);
  EXPECT_EQ(r.Entries[0].Interval, 1000);
  p.SetActive(false);
  EXPECT_FALSE(r.Entries[0].Active);
  EXPECT_EQ(r.Entries.size(), 1u);
}

TEST(PacketTest, InactiveItemRegistersSuspended) {
  TFakeRefresher r;
  TOrvPacketData p(nullptr);
  p.SetDataRefresher(&r);
  ASSERT_EQ(r.Entries.size(), 1u);
  EXPECT_FALSE(r.Entries[0].Active);
}

TEST(PacketTest, TimeInterval) {
  TFakeRefresher r;
  TOrvPacketData p(nullptr);
  p.SetActive(true);
  p.SetDataRefresher(&r);
  p.SetTimeInterval(19);
  EXPECT_EQ(p.TimeInterval(), 1000);
  EXPECT_EQ(r.Entries[0].Interval, 1000);
  p.SetTimeInterval(20);
  EXPECT_EQ(p.TimeInterval(), 20);
  EXPECT_EQ(r.Entries[0].Interval, 20);
}

TEST(PacketTest, SerialCodeChangeKeepsASuspendedRegistration) {
  TFakeRefresher r;
  TOrvPacketData p(nullptr, 1);
  p.SetDataRefresher(&r);
  p.SetActive(false);
  p.SetSerialCode(2);
  ASSERT_EQ(r.Entries.size(), 1u);
  EXPECT_EQ(r.Entries[0].Descriptor, 2050u);
  EXPECT_FALSE(r.Entries[0].Active);
  p.SetSerialCode(-3);
  EXPECT_EQ(r.Entries[0].Descriptor, 2050u);
}

TEST(PacketTest, ChangingTheRefresherMovesTheRegistration) {
  TFakeRefresher a, b;
  TOrvPacketData p(nullptr);
  p.SetActive(true);
  p.SetDataRefresher(&a);
  p.SetDataRefresher(&b);
  EXPECT_TRUE(a.Entries.empty());
  ASSERT_EQ(b.Entries.size(), 1u);
  EXPECT_TRUE(b.Entries[0].Active);
}

TEST(PacketTest, RefresherDestroyedFirst) {
  auto r = std::make_unique<TFakeRefresher>();
  TOrvPacketData p(nullptr);
  p.SetActive(true);
  p.SetDataRefresher(r.get());
  r.reset();
  EXPECT_EQ(p.DataRefresher(), nullptr);
  EXPECT_FALSE(p.Active());
  EXPECT_FALSE(p.Registered());
}

TEST(PacketTest, ItemDestroyedFirst) {
  TFakeRefresher r;
  auto p = std::make_unique<TOrvPacketData>(nullptr);
  p->SetActive(true);
  p->SetDataRefresher(&r);
  ASSERT_EQ(r.Entries.size(), 1u);
  p.reset();
  EXPECT_TRUE(r.Entries.empty());
}

TEST(PacketTest, DesignerRegistersNothing) {
  TFakeRefresher r;
  TOrvPacketData p(nullptr);
  p.SetDesigning(true);
  p.SetActive(true);
  p.SetDataRefresher(&r);
  EXPECT_TRUE(r.Entries.empty());
  EXPECT_TRUE(p.Active());
}

}  // namespace
}  // namespace orv::items
