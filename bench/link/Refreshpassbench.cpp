// One refresh pass delivering the live-data packet to the nine live values,
// with a library that answers at once.

#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>
#include <vector>

#include "orv/items/Serialdata.h"
#include "orv/link/Refreshthread.h"
#include "orv/platform/Clock.h"
#include "orv/plugins/Commlibrary.h"

namespace {

using namespace orv;

class TInstantLibrary final : public plugins::IOrvLibrary {
 public:
  int GetPort() override { return 4; }
  void SetLinkOption(int) override {}
  void SelectPort(int) override {}
  void ClosePort() override {}
  int IsLinkOpen() override { return 1; }
  int OpenLink() override { return 1; }
  void CloseLink() override {}
  int GetLastStatus() override { return 0; }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t, std::int32_t*) override { return false; }
  bool ReadDataIndex(std::uint32_t, std::int32_t*, int) override { return false; }
  bool ReadPacket(std::uint32_t, std::uint8_t* data, std::int32_t* length) override {
    for (int i = 0; i < 9; ++i) data[i] = static_cast<std::uint8_t>(++FTick + i);
    *length = 9;
    return true;
  }
  bool WriteArray(std::uint32_t, const std::int32_t*) override { return false; }
  bool WriteData(std::uint32_t, std::int32_t) override { return false; }
  bool WriteDataIndex(std::uint32_t, int, std::int32_t) override { return false; }
  bool WriteDataRowCol(std::uint32_t, int, int, std::int32_t) override { return false; }
  bool WriteRow(std::uint32_t, const std::int32_t*, int) override { return false; }
  bool Identify(plugins::EcuIdentity*) override { return false; }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t, int, std::int32_t) override { return false; }
  bool ReadDataRowCol(std::uint32_t, std::int32_t*, int, int) override { return false; }
  bool ReadByAddress(std::uint32_t, int, std::int32_t*) override { return false; }
  void SetNotificationSink(plugins::INotificationSink*) override {}

 private:
  std::uint8_t FTick = 0;
};

class TInstantConnection final : public items::TOrvConnectionBase {
 public:
  bool LoadDll() override { return true; }
  bool IsLoaded() const override { return true; }
  plugins::IOrvLibrary* Library() const override { return &FLibrary; }
  std::recursive_mutex& Lock() override { return FLock; }

 private:
  mutable TInstantLibrary FLibrary;
  std::recursive_mutex FLock;
};

void BM_RefreshPassNinePacketItems(benchmark::State& state) {
  platform::TManualClock clock;
  platform::TScopedClock scoped(clock);
  TInstantConnection connection;
  link::TRefreshThread thread(20);  // not started: the pass runs here
  thread.SetConnection(&connection);
  thread.SetEnabled(true);
  std::vector<std::unique_ptr<items::TOrvPacketData>> values;
  for (int offset = 0; offset < 9; ++offset) {
    auto item = std::make_unique<items::TOrvPacketData>(nullptr);
    item->Offset = offset;
    item->Transformation = items::ttFormula;
    item->CoeffA = 5;
    item->CoeffD = 255;
    item->SetPrecision(0.01);
    thread.AddRefresh(item.get(), 100, items::kDescPacket, -1);
    values.push_back(std::move(item));
  }
  for (auto _ : state) {
    clock.Advance(101);
    thread.RefreshPass();
    benchmark::DoNotOptimize(values.back()->EcuValue);
  }
  for (auto& v : values) thread.RemoveRefresh(v.get(), items::kDescPacket, -1);
}
BENCHMARK(BM_RefreshPassNinePacketItems);

}  // namespace
