// The simulated ECU in SerOrvDL, loaded as the program loads it.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Simulatorfixture.h"

namespace orv::link {
namespace {

using plugins::EcuIdentity;
namespace sim = plugins::simulator;

class SimulatorTest : public testing::SimulatorFixture {};

TEST_F(SimulatorTest, FactoryImageHoldsTheRawDefaults) {
  Start();
  ASSERT_TRUE(Open());
  struct Case {
    int Address;
    int Raw;
  };
  const Case cases[] = {
      {161, 0},  {162, 32},  {163, 68}, {164, 0}, {165, 0},   {166, 143}, {205, 1}, {207, 240}, {208, 20}, {216, 101},
      {223, 59}, {224, 128}, {225, 10}, {226, 5}, {197, 179}, {169, 18},  {181, 0}, {204, 78},  {213, 33}, {199, 28},
  };
  for (const Case& c : cases) {
    std::int32_t value = -1;
    ASSERT_TRUE(Lib().ReadByAddress(0, c.Address, &value)) << c.Address;
    EXPECT_EQ(value, c.Raw) << "address " << c.Address;
    EXPECT_EQ(Lib().GetLastStatus(), 0);
  }
}

TEST_F(SimulatorTest, IdentifiesAsCompatibleEcuAndReportsUsbPort) {
  Start();
  EcuIdentity id;
  ASSERT_TRUE(Lib().Identify(&id));
  EXPECT_EQ(id.Bytes[0], 1);
  EXPECT_EQ(id.Bytes[1], 36);
  EXPECT_EQ(id.Bytes[2], 1);
  EXPECT_EQ(Lib().GetPort(), 4);
  EXPECT_FALSE(Lib().Identify(nullptr));
}

TEST_F(SimulatorTest, ExchangesFailWhileTheLinkIsClosed) {
  Start();
  std::int32_t value = 0;
  std::uint8_t packet[252] = {};
  std::int32_t length = 64;
  EXPECT_EQ(Lib().IsLinkOpen(), 0);
  EXPECT_FALSE(Lib().ReadByAddress(0, 163, &value));
  EXPECT_NE(Lib().GetLastStatus(), 0);
  EXPECT_FALSE(Lib().WriteByAddress(0, 163, 1));
  EXPECT_FALSE(Lib().ReadData(0, &value));
  EXPECT_FALSE(Lib().ReadPacket(0x800, packet, &length));
  ASSERT_TRUE(Open());
  EXPECT_EQ(Lib().IsLinkOpen(), 1);
  EXPECT_TRUE(Lib().ReadByAddress(0, 163, &value));
  Lib().CloseLink();
  EXPECT_EQ(Lib().IsLinkOpen(), 0);
  EXPECT_FALSE(Lib().ReadByAddress(0, 163, &value));
}

TEST_F(SimulatorTest, BadArgumentsFailCleanly) {
  Start();
  ASSERT_TRUE(Open());
  std::int32_t value = 0;
  EXPECT_FALSE(Lib().ReadByAddress(0, 163, nullptr));
  EXPECT_FALSE(Lib().ReadByAddress(0, 256, &value));
  EXPECT_FALSE(Lib().ReadByAddress(0, -1, &value));
  EXPECT_FALSE(Lib().ReadByAddress(0x200, 255, &value));  // a word would run past the end
  EXPECT_FALSE(Lib().WriteByAddress(0, 300, 1));
  EXPECT_FALSE(Lib().ReadData(0, nullptr));
  EXPECT_FALSE(Lib().ReadData(77, &value));  // no such serial code
  EXPECT_FALSE(Lib().WriteArray(0x100 | 1, nullptr));
  EXPECT_FALSE(Lib().ReadDataIndex(0x100 | 1, &value, 16));
  EXPECT_FALSE(Lib().ReadPacket(0x800, nullptr, nullptr));
  EXPECT_EQ(Lib().GetLastStatus(), sim::kStatusBadRequest);
}

TEST_F(SimulatorTest, WritesByAddressAreReadBackAsDescribed) {
  Start();
  ASSERT_TRUE(Open());
  std::int32_t value = 0;
  ASSERT_TRUE(Lib().WriteByAddress(0, 216, 0x1F5));  // one byte keeps the low 8 bits
  ASSERT_TRUE(Lib().ReadByAddress(0, 216, &value));
  EXPECT_EQ(value, 0xF5);
  ASSERT_TRUE(Lib().ReadByAddress(0x400, 216, &value));  // signed
  EXPECT_EQ(value, -11);
  ASSERT_TRUE(Lib().WriteByAddress(0x200, 100, 0x1234));  // two bytes, little-endian
  EXPECT_EQ(Peek(100), 0x34);
  EXPECT_EQ(Peek(101), 0x12);
  ASSERT_TRUE(Lib().ReadByAddress(0x200, 100, &value));
  EXPECT_EQ(value, 0x1234);
}

TEST_F(SimulatorTest, SerialCodeDataForScalarVectorsAndMap) {
  Start();
  ASSERT_TRUE(Open());
  std::int32_t v[64] = {};
  // Scalar RIPROGRAMMAZIONE.
  ASSERT_TRUE(Lib().WriteData(0, 3));
  ASSERT_TRUE(Lib().ReadData(0, v));
  EXPECT_EQ(v[0], 3);
  // Vector of 16 bytes: the whole array with the array bit.
  const std::uint32_t vector = 0x100 | (16u << 12) | 1;
  ASSERT_TRUE(Lib().ReadData(vector, v));
  EXPECT_EQ(v[0], 0);
  EXPECT_EQ(v[15], 150);
  ASSERT_TRUE(Lib().WriteDataIndex(vector, 4, 99));
  ASSERT_TRUE(Lib().ReadDataIndex(vector, v, 4));
  EXPECT_EQ(v[0], 99);
  std::int32_t all[16];
  for (int i = 0; i < 16; ++i) all[i] = 200 + i;
  ASSERT_TRUE(Lib().WriteArray(vector, all));
  ASSERT_TRUE(Lib().ReadData(vector, v));
  EXPECT_EQ(v[15], 215);
  // Words, signed.
  const std::uint32_t words = 0x100 | 0x200 | 0x400 | 2;
  ASSERT_TRUE(Lib().WriteDataIndex(words, 1, -300));
  ASSERT_TRUE(Lib().ReadDataIndex(words, v, 1));
  EXPECT_EQ(v[0], -300);
  // 8 x 8 map: rows by index, elements by row and column, whole rows.
  const std::uint32_t map = 0x100 | (8u << 12) | 3;
  ASSERT_TRUE(Lib().ReadDataIndex(map, v, 2));
  EXPECT_EQ(v[0], 64 + 16);
  EXPECT_EQ(v[7], 64 + 16 + 7);
  ASSERT_TRUE(Lib().WriteDataRowCol(map, 7, 7, 1));
  ASSERT_TRUE(Lib().ReadDataRowCol(map, v, 7, 7));
  EXPECT_EQ(v[0], 1);
  std::int32_t row[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_TRUE(Lib().WriteRow(map, row, 5));
  ASSERT_TRUE(Lib().ReadDataIndex(map, v, 5));
  EXPECT_EQ(v[3], 4);
  EXPECT_FALSE(Lib().ReadDataRowCol(map, v, 8, 0));
  EXPECT_FALSE(Lib().WriteRow(map, row, 8));
  // The axes.
  ASSERT_TRUE(Lib().ReadData(0x100 | 4, v));
  EXPECT_EQ(v[7], 160);
  ASSERT_TRUE(Lib().ReadData(0x100 | 5, v));
  EXPECT_EQ(v[7], 224);
}

TEST_F(SimulatorTest, CheckupEightErasesToTheFactoryImage) {
  Start();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Lib().WriteByAddress(0, 216, 7));
  ASSERT_TRUE(Lib().WriteByAddress(0, 161, 3));
  ASSERT_TRUE(Lib().WriteData(0, 9));
  EXPECT_EQ(Peek(161), 3);
  ASSERT_TRUE(Lib().WriteByAddress(0, 161, 8));
  EXPECT_EQ(Peek(216), 101);
  EXPECT_EQ(Peek(161), 0);
  std::int32_t value = -1;
  ASSERT_TRUE(Lib().ReadData(0, &value));
  EXPECT_EQ(value, 0);
}

TEST_F(SimulatorTest, EepromPersistsBetweenSessions) {
  Start();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Lib().WriteByAddress(0, 216, 42));
  ASSERT_TRUE(Lib().WriteDataIndex(0x100 | 1, 3, 77));
  Connection.reset();
  {
    std::ifstream in(EepromPath, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[216]), 42);
    EXPECT_FALSE(std::filesystem::exists(EepromPath + ".tmp"));
  }
  Start();
  ASSERT_TRUE(Open());
  std::int32_t value = 0;
  ASSERT_TRUE(Lib().ReadByAddress(0, 216, &value));
  EXPECT_EQ(value, 42);
  ASSERT_TRUE(Lib().ReadDataIndex(0x100 | 1, &value, 3));
  EXPECT_EQ(value, 77);
}

TEST_F(SimulatorTest, ShortOrMissingEepromFileStartsFromTheFactoryImage) {
  const std::vector<std::string> contents = {"", "short", std::string(255, '\x07')};
  for (const std::string& content : contents) {
    {
      std::ofstream out(EepromPath, std::ios::binary | std::ios::trunc);
      out << content;
    }
    Start();
    EXPECT_EQ(Peek(216), 101) << content.size();
    EXPECT_EQ(Peek(163), 68) << content.size();
    Connection.reset();
  }
  std::filesystem::remove(EepromPath);
  Start();
  EXPECT_EQ(Peek(216), 101);
}

TEST_F(SimulatorTest, DamagedCodeBlocksFallBackToFactoryDataKeepingTheMemory) {
  {
    std::ofstream out(EepromPath, std::ios::binary | std::ios::trunc);
    std::string memory(256, '\0');
    memory[216] = 55;
    out << memory << '\x00' << '\x05';  // code 0 claims 5 elements: damaged
  }
  Start();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Peek(216), 55);
  std::int32_t v[16];
  ASSERT_TRUE(Lib().ReadData(0x100 | 1, v));
  EXPECT_EQ(v[15], 150);
}

TEST_F(SimulatorTest, LinkMessagesGoThroughTheSinkAndTheLogRecordsExchanges) {
  Start();
  ResetLog();
  EcuIdentity id;
  ASSERT_TRUE(Lib().Identify(&id));
  ASSERT_TRUE(Open());
  std::int32_t value = 0;
  std::uint8_t packet[252];
  std::int32_t length = 64;
  Lib().ReadByAddress(0, 163, &value);
  Lib().WriteByAddress(0, 216, 100);
  std::int32_t array[64];
  Lib().ReadData(0x100 | 1, array);
  Lib().WriteData(0, 1);
  Lib().ReadPacket(0x800, packet, &length);
  Lib().CloseLink();
  const std::vector<int> expected = {5000, 5001, 163, 1216, 2001, 3000, 4000, 5002};
  EXPECT_EQ(Log(), expected);
  Peek(163);
  Poke(200, 1);
  EXPECT_EQ(Log().size(), expected.size());
  ResetLog();
  EXPECT_TRUE(Log().empty());
}

struct FaultCase {
  const char* Faults;
  std::function<void(plugins::IOrvLibrary&, testing::SimulatorFixture&)> Check;
};

class SimulatorFaultTest : public testing::SimulatorFixture, public ::testing::WithParamInterface<int> {};

void ExpectRead(plugins::IOrvLibrary& lib, int address, bool ok, int status) {
  std::int32_t value = -1;
  EXPECT_EQ(lib.ReadByAddress(0, address, &value), ok) << "address " << address;
  EXPECT_EQ(lib.GetLastStatus(), status) << "address " << address;
}

const FaultCase kFaultCases[] = {
    {"noanswer",
     [](plugins::IOrvLibrary& lib, auto&) {
       EcuIdentity id;
       EXPECT_FALSE(lib.Identify(&id));
     }},
    {"kind=3, code=37,variant=2",
     [](plugins::IOrvLibrary& lib, auto&) {
       EcuIdentity id;
       ASSERT_TRUE(lib.Identify(&id));
       EXPECT_EQ(id.Bytes[0], 3);
       EXPECT_EQ(id.Bytes[1], 37);
       EXPECT_EQ(id.Bytes[2], 2);
     }},
    {"openfail",
     [](plugins::IOrvLibrary& lib, auto&) {
       EXPECT_EQ(lib.OpenLink(), 0);
       EXPECT_EQ(lib.IsLinkOpen(), 0);
     }},
    {"readfail",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, false, sim::kStatusRefused);
       std::int32_t v;
       EXPECT_FALSE(lib.ReadData(0, &v));
       EXPECT_TRUE(lib.WriteByAddress(0, 163, 1));
     }},
    {"readfail=163;216",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, false, sim::kStatusRefused);
       ExpectRead(lib, 216, false, sim::kStatusRefused);
       ExpectRead(lib, 164, true, 0);
     }},
    {"writefail",
     [](plugins::IOrvLibrary& lib, testing::SimulatorFixture& f) {
       ASSERT_NE(lib.OpenLink(), 0);
       EXPECT_FALSE(lib.WriteByAddress(0, 216, 5));
       EXPECT_FALSE(lib.WriteData(0, 5));
       EXPECT_EQ(f.Peek(216), 101);
       ExpectRead(lib, 216, true, 0);
     }},
    {"writefail=216",
     [](plugins::IOrvLibrary& lib, testing::SimulatorFixture& f) {
       ASSERT_NE(lib.OpenLink(), 0);
       EXPECT_FALSE(lib.WriteByAddress(0, 216, 5));
       EXPECT_TRUE(lib.WriteByAddress(0, 215, 5));
       EXPECT_EQ(f.Peek(215), 5);
     }},
    {"status=4",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, true, 4);
       ExpectRead(lib, 216, true, 4);
     }},
    {"status=4@163",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, true, 4);
       ExpectRead(lib, 216, true, 0);
     }},
    {"droplink=2",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, true, 0);
       ExpectRead(lib, 164, true, 0);
       ExpectRead(lib, 165, false, sim::kStatusLinkClosed);
       EXPECT_EQ(lib.IsLinkOpen(), 0);
       ASSERT_NE(lib.OpenLink(), 0);  // a new link counts afresh
       ExpectRead(lib, 165, true, 0);
     }},
    {"latency=30",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       ExpectRead(lib, 163, true, 0);
     }},
    {"packetfail",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);
       std::uint8_t packet[252];
       std::int32_t length = 64;
       EXPECT_FALSE(lib.ReadPacket(0x800, packet, &length));
       ExpectRead(lib, 163, true, 0);
     }},
    {"bogus, readfail=x, status=",
     [](plugins::IOrvLibrary& lib, auto&) {
       ASSERT_NE(lib.OpenLink(), 0);  // not understood: no fault
       ExpectRead(lib, 163, true, 0);
     }},
};

TEST_P(SimulatorFaultTest, SwitchTakesEffect) {
  const FaultCase& c = kFaultCases[GetParam()];
  SCOPED_TRACE(c.Faults);
  Start(c.Faults);
  c.Check(Lib(), *this);
}

INSTANTIATE_TEST_SUITE_P(Faults, SimulatorFaultTest, ::testing::Range(0, static_cast<int>(std::size(kFaultCases))));

TEST_F(SimulatorTest, SetFaultsHookCountsWhatItDoesNotUnderstand) {
  Start();
  EXPECT_EQ(SetFaults("readfail=216, nonsense, latency=-3"), 2);
  ASSERT_TRUE(Open());
  ExpectRead(Lib(), 216, false, sim::kStatusRefused);
  EXPECT_EQ(SetFaults(""), 0);
  ExpectRead(Lib(), 216, true, 0);
}

TEST_F(SimulatorTest, PacketMovesLikeARunningEngine) {
  Start();
  ASSERT_TRUE(Open());
  std::int32_t buffer[64] = {};
  buffer[0] = 64;
  ASSERT_TRUE(Lib().ReadPacket(0x800, reinterpret_cast<std::uint8_t*>(buffer) + 4, &buffer[0]));
  EXPECT_GE(buffer[0], 9);
  const auto* p = reinterpret_cast<const std::uint8_t*>(buffer) + 4;
  const double rpm = 117000.0 / p[0];
  EXPECT_GT(rpm, 600.0);
  EXPECT_LT(rpm, 3500.0);
  const double lambda = p[1] * 5.0 / 255.0;
  EXPECT_GE(lambda, 0.05);
  EXPECT_LE(lambda, 0.95);
  EXPECT_EQ(p[3], 36);   // 0.7 V idle throttle
  EXPECT_EQ(p[5], 100);  // POSIZIONE_DEFAULT of the factory image
  EXPECT_LE(p[6], 2);
  EXPECT_LE(p[7], 3);
  // Cold engine: the thermistor ratio is above the 25 C point of 1.0.
  const double ratio = p[8] / (255.0 - p[8]);
  EXPECT_GT(ratio, 1.0);
  EXPECT_LT(ratio, 5.6);  // warmer than -10 C
  // A short buffer is never overrun.
  std::uint8_t small[8];
  std::int32_t length = 2;
  ASSERT_TRUE(Lib().ReadPacket(0x800, small, &length));
  EXPECT_EQ(length, 4);
}

}  // namespace
}  // namespace orv::link
