#pragma once
// The simulated lambda-probe ECU behind SerOrvDL: 256 bytes of memory with a
// factory image, data by serial code, the identification answer, the live
// packet, the stored EEPROM file and the switchable faults.
//
// Serial codes (every element a raw value of one or two bytes as the code
// word says; values are stored as written, cut to the width of the write):
//   code 0  RIPROGRAMMAZIONE   scalar, 1 x 1,        factory 0
//   code 1  test vector        1 row x 16 columns,   factory 10 * i
//   code 2  test word vector   1 row x 8 columns,    factory 1000 * (i + 1)
//   code 3  map                8 rows x 8 columns,   factory 64 + 8 * row + col
//   code 4  map row axis       1 row x 8 columns,    factory 20 * (i + 1)
//   code 5  map column axis    1 row x 8 columns,    factory 32 * i
// Code word bits honoured: 8 array, 9 two bytes (little-endian at
// consecutive addresses when by address), 10 signed (reads sign-extend),
// 12-19 column count (row and column addressing of a map; 0 = the map's own).
//
// Stored EEPROM file: the 256 memory bytes, then for every serial code in
// increasing order one block: code (1 byte), element count (1 byte), then
// that many elements as little-endian 16-bit words. A file shorter than 256
// bytes starts from the factory image; a damaged block and everything after
// it start from the factory data. Written after every successful write to a
// temporary file beside it, then renamed over it.
//
// Environment, read when the first library object of a session is created:
//   SERORVDL_EEPROM    the stored EEPROM file; "-" keeps the ECU in memory
//                      only; unset: $XDG_DATA_HOME/orvconfig/serorvdl-eeprom.bin
//                      (or ~/.local/share/orvconfig/serorvdl-eeprom.bin)
//   SERORVDL_FAULTS    comma-separated switches (unknown ones are ignored
//                      with a line on standard error):
//                      noanswer            Identify answers false
//                      kind=N code=N variant=N   identification bytes 0, 1, 2
//                      openfail            OpenLink refuses
//                      readfail[=A;B...]   reads fail (all, also by serial code
//                                          and the packet, or at addresses A, B)
//                      writefail[=A;B...]  writes fail (all, or at addresses)
//                      packetfail          ReadPacket fails
//                      status=N[@A;B...]   GetLastStatus is N after successful
//                                          reads (all, or at addresses)
//                      droplink=N          after N exchanges on an open link the
//                                          link drops (message 33168, lparam 0)
//                      latency=MS          every exchange takes MS ms (max 10000)
//   SERORVDL_SCENARIO  "idle" (default) or "cruise": how the live packet moves
//
// Thread safety: every member locks the ECU's mutex. Notifications are
// returned to the caller to be sent after the lock is released.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Simulatorhooks.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::plugins::simulator {

inline constexpr int kMemorySize = 256;
inline constexpr int kCheckupAddress = 161;
inline constexpr int kEraseCommand = 8;
inline constexpr int kPacketLength = 16;

struct TFaults {
  bool NoAnswer = false;
  std::optional<int> Kind, Code, Variant;
  bool OpenFail = false;
  bool ReadFailAll = false;
  std::vector<int> ReadFailAddresses;
  bool WriteFailAll = false;
  std::vector<int> WriteFailAddresses;
  bool PacketFail = false;
  int Status = 0;
  std::vector<int> StatusAddresses;  // empty: every read
  int DropLinkAfter = -1;            // exchanges after OpenLink; -1: never
  int LatencyMs = 0;
};

// Parses the comma-separated fault switches; unknown ones are counted in
// *unknown (may be null) and otherwise ignored.
TFaults ParseFaults(const std::string& text, int* unknown);

// The factory memory image.
std::array<std::uint8_t, kMemorySize> FactoryImage();

struct TCodedData {
  int Rows = 1;
  int Cols = 1;
  std::vector<std::int32_t> Values;
};

struct TNotice {
  unsigned Msg;
  std::intptr_t WParam;
  std::intptr_t LParam;
};

class TSimulatedEcu {
 public:
  static TSimulatedEcu& Instance();

  // Reads the environment, loads the stored EEPROM, closes the link, empties
  // the log. Keeps the fault switches set through SetFaults unless fromEnv.
  void Restart();
  int SetFaults(const char* text);

  // Exchanges. Each returns its result; notices receives the messages to send.
  bool Identify(EcuIdentity* identity, std::vector<TNotice>& notices);
  int OpenLink(std::vector<TNotice>& notices);
  void CloseLink(std::vector<TNotice>& notices);
  int IsLinkOpen();
  int LastStatus();
  int Port();
  void SelectPort(int port);
  bool ReadByAddress(std::uint32_t desc, int address, std::int32_t* out, std::vector<TNotice>& notices);
  bool WriteByAddress(std::uint32_t desc, int address, std::int32_t value, std::vector<TNotice>& notices);
  enum class TCodedRead { Data, Index, RowCol };
  bool ReadCoded(std::uint32_t desc, TCodedRead how, std::int32_t* out, int a, int b, std::vector<TNotice>& notices);
  enum class TCodedWrite { Data, Index, RowCol, Array, Row };
  bool WriteCoded(std::uint32_t desc, TCodedWrite how, const std::int32_t* values, int a, int b, std::int32_t value,
                  std::vector<TNotice>& notices);
  bool ReadPacket(std::uint8_t* data, std::int32_t* length, std::vector<TNotice>& notices);

  // Test hooks.
  void ResetLog();
  int Log(int* entries, int capacity);
  int Peek(int address);
  void Poke(int address, int value);

 private:
  TSimulatedEcu();
  void EnsureStarted();
  void RestartLocked();
  void LoadFactory();
  void LoadEeprom();
  void SaveEeprom();
  void AddLog(int entry);
  // Common start of an exchange that needs the open link: latency, the
  // dropped-link fault and the closed-link refusal.
  bool BeginExchange(std::vector<TNotice>& notices);
  TCodedData* Coded(std::uint32_t desc);
  void FillPacket(std::uint8_t* bytes);

  std::recursive_mutex FMutex;
  bool FStarted = false;
  std::array<std::uint8_t, kMemorySize> FMemory{};
  std::vector<TCodedData> FCoded;
  TFaults FFaults;
  std::string FEepromPath;
  std::string FScenario;
  bool FLinkOpen = false;
  int FExchangesSinceOpen = 0;
  int FStatus = 0;
  int FPort = 4;
  std::vector<int> FLog;
  std::chrono::steady_clock::time_point FStart;
};

}  // namespace orv::plugins::simulator
