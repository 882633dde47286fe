#pragma once
// The communication library ("SerOrvDL"): three C exports and one library
// object. The object's operations keep the order of the library's documented
// interface; the program calls every operation from the user-interface thread
// only, under the connection lock. Values are raw 32-bit ECU integers; a bool
// result is true on success.

#include <cstdint>

namespace orv::plugins {

// Version of the library, filled by _GetDLLVersion.
struct FILE_VERSION_DATA {
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
  std::uint32_t Release = 0;
  std::uint32_t Build = 0;
};

// Identification answer of the ECU, 8 bytes (see TSerialDataModule::Connect).
struct EcuIdentity {
  std::uint8_t Bytes[8] = {};
};

// Window messages the library sends to the program.
inline constexpr unsigned kMsgLinkChanged = 33168;  // lparam 1 link open, 0 closed
inline constexpr unsigned kMsgProgress = 33169;     // wparam percent, lparam != 0 add

// Where the library sends its link and progress messages. The library may
// call Notify from any thread; the program delivers the message on its
// user-interface thread (synchronously when called there).
class INotificationSink {
 public:
  virtual void Notify(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) = 0;

 protected:
  ~INotificationSink() = default;
};

class IOrvLibrary {
 public:
  virtual int GetPort() = 0;
  virtual void SetLinkOption(int option) = 0;
  virtual void SelectPort(int port) = 0;
  virtual void ClosePort() = 0;
  virtual int IsLinkOpen() = 0;
  virtual int OpenLink() = 0;
  virtual void CloseLink() = 0;
  virtual int GetLastStatus() = 0;
  virtual void SelectModeA() = 0;
  virtual void SelectModeB() = 0;
  virtual bool ReadData(std::uint32_t desc, std::int32_t* out) = 0;
  virtual bool ReadDataIndex(std::uint32_t desc, std::int32_t* out, int index) = 0;
  // data receives the packet bytes; *length is 64 on entry.
  virtual bool ReadPacket(std::uint32_t desc, std::uint8_t* data, std::int32_t* length) = 0;
  virtual bool WriteArray(std::uint32_t desc, const std::int32_t* values) = 0;
  virtual bool WriteData(std::uint32_t desc, std::int32_t value) = 0;
  virtual bool WriteDataIndex(std::uint32_t desc, int index, std::int32_t value) = 0;
  virtual bool WriteDataRowCol(std::uint32_t desc, int row, int col, std::int32_t value) = 0;
  virtual bool WriteRow(std::uint32_t desc, const std::int32_t* values, int row) = 0;
  virtual bool Identify(EcuIdentity* identity) = 0;
  virtual void SetProtocolOption(int option) = 0;
  virtual bool WriteByAddress(std::uint32_t desc, int address, std::int32_t value) = 0;
  virtual bool ReadDataRowCol(std::uint32_t desc, std::int32_t* out, int row, int col) = 0;
  virtual bool ReadByAddress(std::uint32_t desc, int address, std::int32_t* out) = 0;

  // Ours: the program hands over where link and progress messages go
  // (nullptr: nowhere). The sink outlives the library object.
  virtual void SetNotificationSink(INotificationSink* sink) = 0;

 protected:
  ~IOrvLibrary() = default;
};

// C exports, looked up by these names.
using CreateClassInstanceFn = IOrvLibrary* (*)();
using DestroyClassInstanceFn = void (*)(IOrvLibrary*);
using GetDLLVersionFn = bool (*)(FILE_VERSION_DATA*);

inline constexpr const char* kCreateClassInstance = "_CreateClassInstance";
inline constexpr const char* kDestroyClassInstance = "_DestroyClassInstance";
inline constexpr const char* kGetDLLVersion = "_GetDLLVersion";

}  // namespace orv::plugins
