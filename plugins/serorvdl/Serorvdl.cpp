// SerOrvDL: the communication library as a simulated ECU. Each library
// object is one port handle onto the process's one simulated ECU; link and
// progress messages go to the program's notification sink after the ECU's
// lock has been released, so a sink that calls back in cannot deadlock.

#include <atomic>
#include <mutex>
#include <type_traits>
#include <vector>

#include "Simulatedecu.h"
#include "Simulatorhooks.h"
#include "orv/plugins/Commlibrary.h"
#include "orv/plugins/Export.h"

namespace orv::plugins::simulator {
namespace {

class TSimulatedLibrary final : public IOrvLibrary {
  static TSimulatedEcu& Ecu() { return TSimulatedEcu::Instance(); }

  template <class Fn>
  auto Send(Fn&& fn) {
    std::vector<TNotice> notices;
    if constexpr (std::is_void_v<decltype(fn(notices))>) {
      fn(notices);
      Deliver(notices);
    } else {
      auto result = fn(notices);
      Deliver(notices);
      return result;
    }
  }

  void Deliver(const std::vector<TNotice>& notices) {
    INotificationSink* sink = FSink.load();
    if (sink == nullptr) return;
    for (const TNotice& n : notices) sink->Notify(n.Msg, n.WParam, n.LParam);
  }

 public:
  TSimulatedLibrary() = default;
  ~TSimulatedLibrary() = default;

  int GetPort() override { return Ecu().Port(); }
  void SetLinkOption(int) override {}
  void SelectPort(int port) override { Ecu().SelectPort(port); }
  void ClosePort() override {
    Send([&](std::vector<TNotice>& n) { Ecu().CloseLink(n); });
  }
  int IsLinkOpen() override { return Ecu().IsLinkOpen(); }
  int OpenLink() override {
    return Send([&](std::vector<TNotice>& n) { return Ecu().OpenLink(n); });
  }
  void CloseLink() override {
    Send([&](std::vector<TNotice>& n) { Ecu().CloseLink(n); });
  }
  int GetLastStatus() override { return Ecu().LastStatus(); }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t desc, std::int32_t* out) override {
    return Send(
        [&](std::vector<TNotice>& n) { return Ecu().ReadCoded(desc, TSimulatedEcu::TCodedRead::Data, out, 0, 0, n); });
  }
  bool ReadDataIndex(std::uint32_t desc, std::int32_t* out, int index) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().ReadCoded(desc, TSimulatedEcu::TCodedRead::Index, out, index, 0, n);
    });
  }
  bool ReadPacket(std::uint32_t, std::uint8_t* data, std::int32_t* length) override {
    return Send([&](std::vector<TNotice>& n) { return Ecu().ReadPacket(data, length, n); });
  }
  bool WriteArray(std::uint32_t desc, const std::int32_t* values) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().WriteCoded(desc, TSimulatedEcu::TCodedWrite::Array, values, 0, 0, 0, n);
    });
  }
  bool WriteData(std::uint32_t desc, std::int32_t value) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().WriteCoded(desc, TSimulatedEcu::TCodedWrite::Data, nullptr, 0, 0, value, n);
    });
  }
  bool WriteDataIndex(std::uint32_t desc, int index, std::int32_t value) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().WriteCoded(desc, TSimulatedEcu::TCodedWrite::Index, nullptr, index, 0, value, n);
    });
  }
  bool WriteDataRowCol(std::uint32_t desc, int row, int col, std::int32_t value) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().WriteCoded(desc, TSimulatedEcu::TCodedWrite::RowCol, nullptr, row, col, value, n);
    });
  }
  bool WriteRow(std::uint32_t desc, const std::int32_t* values, int row) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().WriteCoded(desc, TSimulatedEcu::TCodedWrite::Row, values, row, 0, 0, n);
    });
  }
  bool Identify(EcuIdentity* identity) override {
    return Send([&](std::vector<TNotice>& n) { return Ecu().Identify(identity, n); });
  }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t desc, int address, std::int32_t value) override {
    return Send([&](std::vector<TNotice>& n) { return Ecu().WriteByAddress(desc, address, value, n); });
  }
  bool ReadDataRowCol(std::uint32_t desc, std::int32_t* out, int row, int col) override {
    return Send([&](std::vector<TNotice>& n) {
      return Ecu().ReadCoded(desc, TSimulatedEcu::TCodedRead::RowCol, out, row, col, n);
    });
  }
  bool ReadByAddress(std::uint32_t desc, int address, std::int32_t* out) override {
    return Send([&](std::vector<TNotice>& n) { return Ecu().ReadByAddress(desc, address, out, n); });
  }
  void SetNotificationSink(INotificationSink* sink) override { FSink.store(sink); }

 private:
  std::atomic<INotificationSink*> FSink{nullptr};
};

std::atomic<int> gInstances{0};

}  // namespace
}  // namespace orv::plugins::simulator

using orv::plugins::simulator::TSimulatedEcu;

ORV_PLUGIN_EXPORT orv::plugins::IOrvLibrary* _CreateClassInstance() {
  // The first object of a session starts the ECU as a fresh process would:
  // the stored EEPROM and the switches of the environment are read again.
  if (orv::plugins::simulator::gInstances.fetch_add(1) == 0) TSimulatedEcu::Instance().Restart();
  return new orv::plugins::simulator::TSimulatedLibrary();
}

ORV_PLUGIN_EXPORT void _DestroyClassInstance(orv::plugins::IOrvLibrary* object) {
  if (object == nullptr) return;
  orv::plugins::simulator::gInstances.fetch_sub(1);
  delete static_cast<orv::plugins::simulator::TSimulatedLibrary*>(object);
}

ORV_PLUGIN_EXPORT bool _GetDLLVersion(orv::plugins::FILE_VERSION_DATA* version) {
  if (version == nullptr) return false;
  *version = {4, 10, 0, 0};
  return true;
}

ORV_PLUGIN_EXPORT void _SimulatorResetLog() { TSimulatedEcu::Instance().ResetLog(); }
ORV_PLUGIN_EXPORT int _SimulatorLog(int* entries, int capacity) {
  return TSimulatedEcu::Instance().Log(entries, capacity);
}
ORV_PLUGIN_EXPORT int _SimulatorPeek(int address) { return TSimulatedEcu::Instance().Peek(address); }
ORV_PLUGIN_EXPORT void _SimulatorPoke(int address, int value) { TSimulatedEcu::Instance().Poke(address, value); }
ORV_PLUGIN_EXPORT int _SimulatorSetFaults(const char* faults) { return TSimulatedEcu::Instance().SetFaults(faults); }
ORV_PLUGIN_EXPORT void _SimulatorRestart() { TSimulatedEcu::Instance().Restart(); }
