#pragma once
// Test doubles of the items' tests: a communication library with a 256-byte
// ECU memory that records every exchange and can be told to fail, a
// connection owning it, a refresher that records registrations, a listener
// that records messages, and an in-memory INI file.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "orv/items/Linkbase.h"
#include "orv/platform/Component.h"
#include "orv/platform/IniStore.h"
#include "orv/platform/Messages.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::items::testing {

class TFakeLibrary final : public plugins::IOrvLibrary {
 public:
  // ECU memory reached by address (one byte per address, words little-endian).
  std::uint8_t Memory[256] = {};
  // Single values by serial code (ReadData / WriteData without the array bit).
  std::map<int, std::int32_t> Values;
  // Array contents by serial code, row-major with RowLength values per row.
  std::map<int, std::vector<std::int32_t>> Arrays;
  int RowLength = 0;  // 0: whole array is one row

  bool LinkOpen = true;
  bool FailReads = false;
  bool FailWrites = false;
  int Status = 0;                // status after every exchange
  std::map<int, int> RowStatus;  // status after reading row (index) r
  std::vector<std::string> Calls;
  std::recursive_mutex* ProbeLock = nullptr;  // checked to be held during exchanges
  bool LockHeldEveryTime = true;

  void Record(std::string call) {
    if (ProbeLock != nullptr) {
      bool taken = false;
      std::thread probe([&] {
        taken = ProbeLock->try_lock();
        if (taken) ProbeLock->unlock();
      });
      probe.join();
      if (taken) LockHeldEveryTime = false;
    }
    Calls.push_back(std::move(call));
    LastStatus = Status;
  }
  int Reads() const { return Count("Read"); }
  int Writes() const { return Count("Write"); }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& c : Calls) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }

  int GetPort() override { return 4; }
  void SetLinkOption(int) override {}
  void SelectPort(int) override {}
  void ClosePort() override {}
  int IsLinkOpen() override { return LinkOpen ? 1 : 0; }
  int OpenLink() override { return 1; }
  void CloseLink() override {}
  int GetLastStatus() override { return LastStatus; }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t desc, std::int32_t* out) override {
    Record("ReadData " + std::to_string(desc));
    if (FailReads) return false;
    const int code = static_cast<int>(desc & 0xFF);
    if ((desc & 256) != 0) {
      const auto& a = Arrays[code];
      const std::size_t n = RowLength > 0 ? static_cast<std::size_t>(RowLength) : a.size();
      for (std::size_t i = 0; i < n && i < a.size(); ++i) out[i] = a[i];
    } else {
      out[0] = Values[code];
    }
    return true;
  }
  bool ReadDataIndex(std::uint32_t desc, std::int32_t* out, int index) override {
    Record("ReadDataIndex " + std::to_string(desc) + " " + std::to_string(index));
    if (auto it = RowStatus.find(index); it != RowStatus.end()) LastStatus = it->second;
    if (FailReads) return false;
    const auto& a = Arrays[static_cast<int>(desc & 0xFF)];
    if ((desc & 256) != 0) {
      const std::size_t start = static_cast<std::size_t>(index * RowLength);
      for (std::size_t i = 0; i < static_cast<std::size_t>(RowLength) && start + i < a.size(); ++i)
        out[i] = a[start + i];
    } else if (static_cast<std::size_t>(index) < a.size()) {
      out[0] = a[static_cast<std::size_t>(index)];
    }
    return true;
  }
  bool ReadPacket(std::uint32_t desc, std::uint8_t*, std::int32_t*) override {
    Record("ReadPacket " + std::to_string(desc));
    return false;
  }
  bool WriteArray(std::uint32_t desc, const std::int32_t* values) override {
    Record("WriteArray " + std::to_string(desc) + " " + std::to_string(values[0]));
    return !FailWrites;
  }
  bool WriteData(std::uint32_t desc, std::int32_t value) override {
    Record("WriteData " + std::to_string(desc) + " " + std::to_string(value));
    if (FailWrites) return false;
    Values[static_cast<int>(desc & 0xFF)] = value;
    return true;
  }
  bool WriteDataIndex(std::uint32_t desc, int index, std::int32_t value) override {
    Record("WriteDataIndex " + std::to_string(desc) + " " + std::to_string(index) + " " + std::to_string(value));
    return !FailWrites;
  }
  bool WriteDataRowCol(std::uint32_t desc, int row, int col, std::int32_t value) override {
    Record("WriteDataRowCol " + std::to_string(desc) + " " + std::to_string(row) + " " + std::to_string(col) + " " +
           std::to_string(value));
    return !FailWrites;
  }
  bool WriteRow(std::uint32_t desc, const std::int32_t* values, int row) override {
    Record("WriteRow " + std::to_string(desc) + " " + std::to_string(row) + " " + std::to_string(values[0]));
    return !FailWrites;
  }
  bool Identify(plugins::EcuIdentity*) override { return true; }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t desc, int address, std::int32_t value) override {
    Record("WriteByAddress " + std::to_string(address) + " " + std::to_string(value));
    if (FailWrites || address < 0 || address > 255) return false;
    Memory[address] = static_cast<std::uint8_t>(value & 0xFF);
    if ((desc & 512) != 0 && address < 255) Memory[address + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    return true;
  }
  bool ReadDataRowCol(std::uint32_t desc, std::int32_t* out, int row, int col) override {
    Record("ReadDataRowCol " + std::to_string(desc) + " " + std::to_string(row) + " " + std::to_string(col));
    if (FailReads) return false;
    out[0] = row * 10 + col;
    return true;
  }
  bool ReadByAddress(std::uint32_t desc, int address, std::int32_t* out) override {
    Record("ReadByAddress " + std::to_string(address));
    if (FailReads || address < 0 || address > 255) return false;
    std::int32_t v = Memory[address];
    if ((desc & 512) != 0 && address < 255) v |= Memory[address + 1] << 8;
    *out = v;
    return true;
  }
  void SetNotificationSink(plugins::INotificationSink*) override {}

 private:
  int LastStatus = 0;
};

class TFakeConnection final : public TOrvConnectionBase {
 public:
  explicit TFakeConnection(platform::TComponent* owner = nullptr) : TOrvConnectionBase(owner) {}
  bool CanLoad = true;
  int LoadCalls = 0;
  TFakeLibrary Fake;

  bool LoadDll() override {
    ++LoadCalls;
    return CanLoad;
  }
  bool IsLoaded() const override { return CanLoad; }
  plugins::IOrvLibrary* Library() const override { return CanLoad ? const_cast<TFakeLibrary*>(&Fake) : nullptr; }
  std::recursive_mutex& Lock() override { return FLock; }

 private:
  std::recursive_mutex FLock;
};

class TFakeRefresher final : public TDataRefresherBase {
 public:
  explicit TFakeRefresher(platform::TComponent* owner = nullptr) : TDataRefresherBase(owner) {}
  struct Entry {
    platform::TComponent* Component;
    int Interval;
    std::uint32_t Descriptor;
    bool Active;
  };
  std::vector<Entry> Entries;
  std::vector<std::string> Calls;

  Entry* Find(platform::TComponent* c, std::uint32_t d) {
    for (auto& e : Entries) {
      if (e.Component == c && e.Descriptor == d) return &e;
    }
    return nullptr;
  }
  bool AddRefresh(platform::TComponent* c, int interval, std::uint32_t d, int) override {
    Calls.push_back("Add " + std::to_string(interval) + " " + std::to_string(d));
    if (interval <= 0) return false;
    if (Entry* e = Find(c, d)) {
      e->Interval = interval;
    } else {
      Entries.push_back({c, interval, d, true});
    }
    return true;
  }
  void RemoveRefresh(platform::TComponent* c, std::uint32_t d, int) override {
    Calls.push_back("Remove " + std::to_string(d));
    std::erase_if(Entries, [&](const Entry& e) { return e.Component == c && e.Descriptor == d; });
  }
  void SuspendRefresh(platform::TComponent* c, std::uint32_t d, int) override {
    Calls.push_back("Suspend " + std::to_string(d));
    if (Entry* e = Find(c, d)) e->Active = false;
  }
  void ResumeRefresh(platform::TComponent* c, std::uint32_t d, int) override {
    Calls.push_back("Resume " + std::to_string(d));
    if (Entry* e = Find(c, d)) e->Active = true;
  }
};

// A control stand-in: records every message it is sent.
class TRecordingListener final : public platform::TComponent, public platform::IMessageTarget {
 public:
  explicit TRecordingListener(platform::TComponent* owner = nullptr) : platform::TComponent(owner) {}
  struct Message {
    unsigned Msg;
    std::intptr_t W;
    std::intptr_t L;
  };
  std::vector<Message> Messages;
  platform::TComponent* Gone = nullptr;

  std::intptr_t Perform(unsigned msg, std::intptr_t w, std::intptr_t l) override {
    Messages.push_back({msg, w, l});
    return 0;
  }
  int Count(unsigned msg) const {
    int n = 0;
    for (const auto& m : Messages) n += m.Msg == msg ? 1 : 0;
    return n;
  }

 protected:
  void Notification(platform::TComponent* c, platform::TOperation op) override {
    platform::TComponent::Notification(c, op);
    if (op == platform::TOperation::opRemove) Gone = c;
  }
};

// An INI file in memory, keys in insertion order.
class TMemIni final : public platform::TCustomIniFile {
 public:
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> Sections;

  std::string ReadString(const std::string& s, const std::string& k, const std::string& def) override {
    for (const auto& [key, value] : Sections[s]) {
      if (platform::SameName(key, k)) return value;
    }
    return def;
  }
  void WriteString(const std::string& s, const std::string& k, const std::string& v) override {
    for (auto& [key, value] : Sections[s]) {
      if (platform::SameName(key, k)) {
        value = v;
        return;
      }
    }
    Sections[s].emplace_back(k, v);
  }
  void ReadSection(const std::string& s, std::vector<std::string>& names) override {
    names.clear();
    auto it = Sections.find(s);
    if (it == Sections.end()) return;
    for (const auto& kv : it->second) names.push_back(kv.first);
  }
  void ReadSections(std::vector<std::string>& names) override {
    names.clear();
    for (const auto& kv : Sections) names.push_back(kv.first);
  }
  void ReadSectionValues(const std::string& s, std::vector<std::string>& lines) override {
    lines.clear();
    for (const auto& [k, v] : Sections[s]) lines.push_back(k + "=" + v);
  }
  void EraseSection(const std::string& s) override { Sections.erase(s); }
  void DeleteKey(const std::string& s, const std::string& k) override {
    std::erase_if(Sections[s], [&](const auto& kv) { return platform::SameName(kv.first, k); });
  }
  void UpdateFile() override {}
};

}  // namespace orv::items::testing
