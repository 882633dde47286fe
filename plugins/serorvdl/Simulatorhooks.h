#pragma once
// Test hooks of the simulated ECU in SerOrvDL, exported with C linkage next
// to the three library exports. Look them up by name in the loaded library.
// They act on the one simulated ECU of the process (its memory and serial
// code data are shared by every library object) and are thread-safe.
//
// Exchange log: every exchange a library object attempts is appended in
// order, successful or not, encoded as one integer:
//   0..255         ReadByAddress at that address
//   1000 + address WriteByAddress at that address
//   2000 + code    ReadData, ReadDataIndex, ReadDataRowCol of a serial code
//   3000 + code    WriteData, WriteDataIndex, WriteDataRowCol, WriteArray,
//                  WriteRow of a serial code
//   4000           ReadPacket
//   5000           Identify
//   5001           OpenLink
//   5002           CloseLink (only when the link was open)
// The log keeps the first 65536 entries after a reset.

namespace orv::plugins::simulator {

// What GetLastStatus answers after an exchange (or the value of the status
// fault switch after a successful read).
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusLinkClosed = 1;  // link closed or dropped, no answer
inline constexpr int kStatusRefused = 2;     // the ECU refused (read or write fault)
inline constexpr int kStatusBadRequest = 3;  // null pointer, no such address, code or index

inline constexpr int kLogWriteByAddress = 1000;
inline constexpr int kLogReadByCode = 2000;
inline constexpr int kLogWriteByCode = 3000;
inline constexpr int kLogReadPacket = 4000;
inline constexpr int kLogIdentify = 5000;
inline constexpr int kLogOpenLink = 5001;
inline constexpr int kLogCloseLink = 5002;

// Empties the exchange log.
using SimulatorResetLogFn = void (*)();
inline constexpr const char* kSimulatorResetLog = "_SimulatorResetLog";

// Copies up to capacity log entries into entries (may be null when capacity
// is 0) and returns the number of entries logged since the reset.
using SimulatorLogFn = int (*)(int* entries, int capacity);
inline constexpr const char* kSimulatorLog = "_SimulatorLog";

// The ECU memory byte at address 0..255, or -1 for another address. Not an
// exchange: not logged, no fault applies.
using SimulatorPeekFn = int (*)(int address);
inline constexpr const char* kSimulatorPeek = "_SimulatorPeek";

// Sets the ECU memory byte at address (value AND 255); ignored outside
// 0..255. Not an exchange; the stored EEPROM file is not rewritten.
using SimulatorPokeFn = void (*)(int address, int value);
inline constexpr const char* kSimulatorPoke = "_SimulatorPoke";

// Replaces the fault switches with the text given (the SERORVDL_FAULTS
// syntax); null reads SERORVDL_FAULTS again. Returns the number of switches
// that were not understood.
using SimulatorSetFaultsFn = int (*)(const char* faults);
inline constexpr const char* kSimulatorSetFaults = "_SimulatorSetFaults";

// Starts the ECU again as a fresh process would: reads SERORVDL_EEPROM,
// SERORVDL_FAULTS and SERORVDL_SCENARIO, loads the stored EEPROM (or the
// factory image), closes the link without a message and empties the log.
using SimulatorRestartFn = void (*)();
inline constexpr const char* kSimulatorRestart = "_SimulatorRestart";

}  // namespace orv::plugins::simulator
