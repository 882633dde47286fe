#pragma once
// Test doubles for the data-bound controls: an ECU memory behind a library
// object that answers reads and writes by serial code, a connection that
// owns it, and a form with the model services installed.

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "orv/items/Linkbase.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Forms.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::controls::testing {

class TMemoryLibrary final : public plugins::IOrvLibrary {
 public:
  int GetPort() override { return 0; }
  void SetLinkOption(int) override {}
  void SelectPort(int) override {}
  void ClosePort() override {}
  int IsLinkOpen() override { return 1; }
  int OpenLink() override { return 1; }
  void CloseLink() override {}
  int GetLastStatus() override { return Status; }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t desc, std::int32_t* out) override {
    ++Reads;
    if (FailReads) return false;
    if (auto it = Arrays.find(desc & 0xFF); it != Arrays.end()) {
      for (std::size_t i = 0; i < it->second.size(); ++i) out[i] = it->second[i];
      return true;
    }
    *out = Memory[desc & 0xFF];
    return true;
  }
  bool ReadDataIndex(std::uint32_t desc, std::int32_t* out, int index) override {
    ++Reads;
    if (FailReads) return false;
    *out = Memory[(desc & 0xFF) + static_cast<std::uint32_t>(index)];
    return true;
  }
  bool ReadPacket(std::uint32_t, std::uint8_t*, std::int32_t*) override { return false; }
  bool WriteArray(std::uint32_t, const std::int32_t*) override { return false; }
  bool WriteData(std::uint32_t desc, std::int32_t value) override {
    Writes.push_back({desc & 0xFF, value});
    Memory[desc & 0xFF] = value;
    return true;
  }
  bool WriteDataIndex(std::uint32_t, int, std::int32_t) override { return false; }
  bool WriteDataRowCol(std::uint32_t, int, int, std::int32_t) override { return false; }
  bool WriteRow(std::uint32_t, const std::int32_t*, int) override { return false; }
  bool Identify(plugins::EcuIdentity*) override { return true; }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t, int, std::int32_t) override { return false; }
  bool ReadDataRowCol(std::uint32_t, std::int32_t*, int, int) override { return false; }
  bool ReadByAddress(std::uint32_t, int, std::int32_t*) override { return false; }
  void SetNotificationSink(plugins::INotificationSink*) override {}

  struct TWrite {
    std::uint32_t Code;
    std::int32_t Value;
    bool operator==(const TWrite&) const = default;
  };
  std::map<std::uint32_t, std::int32_t> Memory;
  std::map<std::uint32_t, std::vector<std::int32_t>> Arrays;  // whole-array reads by code
  std::vector<TWrite> Writes;
  int Reads = 0;
  int Status = 0;
  bool FailReads = false;
};

class TMemoryConnection final : public items::TOrvConnectionBase {
 public:
  explicit TMemoryConnection(platform::TComponent* owner = nullptr) : items::TOrvConnectionBase(owner) {}
  bool LoadDll() override { return true; }
  bool IsLoaded() const override { return true; }
  plugins::IOrvLibrary* Library() const override { return &Ecu; }
  std::recursive_mutex& Lock() override { return FLock; }
  mutable TMemoryLibrary Ecu;

 private:
  std::recursive_mutex FLock;
};

// A number item on the memory ECU: two bytes, user value = raw / scale.
inline items::TOrvNumber* MakeNumber(platform::TComponent* owner, TMemoryConnection& connection, int code, double min,
                                     double max, double precision = 0.0, double scale = 1.0) {
  auto* n = new items::TOrvNumber(owner, code);
  n->SetDataLength(2);
  n->SetDataSigned(true);
  if (scale != 1.0) {
    n->Transformation = items::ttFormula;
    n->CoeffA = 1.0;
    n->CoeffB = 0.0;
    n->CoeffC = 0.0;
    n->CoeffD = scale;
  }
  n->SetMaxValue(max);
  n->SetMinValue(min);
  n->SetPrecision(precision);
  n->SetConnection(&connection);
  return n;
}

}  // namespace orv::controls::testing
