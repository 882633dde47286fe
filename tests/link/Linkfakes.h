#pragma once
// Test doubles of the link layer's tests: a library object that counts its
// exchanges, a connection that owns one, and a subscriber that records the
// buffers it is handed.

#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "orv/items/Linkbase.h"
#include "orv/platform/Component.h"
#include "orv/platform/Messages.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::link::testing {

class TFakeLibrary final : public plugins::IOrvLibrary {
 public:
  int GetPort() override { return 4; }
  void SetLinkOption(int) override {}
  void SelectPort(int) override {}
  void ClosePort() override {}
  int IsLinkOpen() override {
    ++IsLinkOpenCalls;
    return LinkOpen.load() ? 1 : 0;
  }
  int OpenLink() override { return 1; }
  void CloseLink() override {}
  int GetLastStatus() override { return 0; }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t desc, std::int32_t* out) override {
    Calls.push_back("ReadData " + std::to_string(desc));
    if (Fail.load()) return false;
    out[0] = NextValue;
    return true;
  }
  bool ReadDataIndex(std::uint32_t desc, std::int32_t* out, int index) override {
    Calls.push_back("ReadDataIndex " + std::to_string(desc) + " " + std::to_string(index));
    if (Fail.load()) return false;
    out[0] = NextValue + index;
    return true;
  }
  bool ReadPacket(std::uint32_t desc, std::uint8_t* data, std::int32_t* length) override {
    Calls.push_back("ReadPacket " + std::to_string(desc));
    ++PacketReads;
    LengthOnEntry = *length;
    if (ConnectionLock != nullptr) {
      // Held by the reading thread when another thread cannot take it.
      bool taken = false;
      std::thread probe([&] {
        taken = ConnectionLock->try_lock();
        if (taken) ConnectionLock->unlock();
      });
      probe.join();
      LockHeldDuringRead = !taken;
    }
    if (Fail.load()) return false;
    for (int i = 0; i < 9; ++i) data[i] = static_cast<std::uint8_t>(PacketBase + 10 * i);
    *length = 9;
    return true;
  }
  bool WriteArray(std::uint32_t, const std::int32_t*) override { return true; }
  bool WriteData(std::uint32_t, std::int32_t) override { return true; }
  bool WriteDataIndex(std::uint32_t, int, std::int32_t) override { return true; }
  bool WriteDataRowCol(std::uint32_t, int, int, std::int32_t) override { return true; }
  bool WriteRow(std::uint32_t, const std::int32_t*, int) override { return true; }
  bool Identify(plugins::EcuIdentity*) override { return true; }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t, int, std::int32_t) override { return true; }
  bool ReadDataRowCol(std::uint32_t, std::int32_t*, int, int) override { return true; }
  bool ReadByAddress(std::uint32_t, int, std::int32_t*) override { return true; }
  void SetNotificationSink(plugins::INotificationSink*) override {}

  std::atomic<bool> LinkOpen{true};
  std::atomic<bool> Fail{false};
  std::atomic<int> PacketReads{0};
  std::atomic<int> IsLinkOpenCalls{0};
  std::int32_t LengthOnEntry = 0;
  bool LockHeldDuringRead = false;
  std::recursive_mutex* ConnectionLock = nullptr;
  int PacketBase = 10;
  std::int32_t NextValue = 7;
  std::vector<std::string> Calls;
};

// A connection whose "library" is a TFakeLibrary, loaded from the start.
class TFakeConnection final : public items::TOrvConnectionBase {
 public:
  explicit TFakeConnection(platform::TComponent* owner = nullptr) : items::TOrvConnectionBase(owner) {}
  bool LoadDll() override { return Loaded; }
  bool IsLoaded() const override { return Loaded; }
  plugins::IOrvLibrary* Library() const override { return Loaded ? &Fake : nullptr; }
  std::recursive_mutex& Lock() override { return FLock; }

  bool Loaded = true;
  mutable TFakeLibrary Fake;

 private:
  std::recursive_mutex FLock;
};

// A control-like subscriber: records each 33144 with the bytes it points at.
class TRecordingTarget final : public platform::TComponent, public platform::IMessageTarget {
 public:
  explicit TRecordingTarget(platform::TComponent* owner = nullptr) : platform::TComponent(owner) {}
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override {
    Messages.push_back(msg);
    LParams.push_back(lparam);
    Buffers.push_back(reinterpret_cast<const std::int32_t*>(wparam));
    if (msg == platform::WM_DATAAVAILABLE && wparam != 0 && WideBuffer) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(wparam);
      LastWord0 = reinterpret_cast<const std::int32_t*>(wparam)[0];
      LastPacket.assign(bytes + 4, bytes + 4 + 9);
    }
    if (OnMessage) OnMessage();
    return 0;
  }
  std::vector<unsigned> Messages;
  std::vector<std::intptr_t> LParams;
  std::vector<const std::int32_t*> Buffers;
  std::vector<std::uint8_t> LastPacket;
  std::int32_t LastWord0 = 0;
  // The buffer holds 64 words (packet or array); a one-word buffer is not read.
  bool WideBuffer = true;
  std::function<void()> OnMessage;
};

}  // namespace orv::link::testing
