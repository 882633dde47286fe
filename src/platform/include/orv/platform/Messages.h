#pragma once
// Numbered messages, delivered synchronously with two integer parameters on
// the user-interface thread.

#include <cstdint>

namespace orv::platform {

inline constexpr unsigned WM_DATACHANGED = 33139;    // wparam: item or 0, lparam: 0
inline constexpr unsigned WM_CHANGEDATADIM = 33141;  // wparam: columns, lparam: rows
inline constexpr unsigned WM_ENDRESIZING = 33142;    // 0, 0
inline constexpr unsigned WM_STARTRESIZING = 33143;  // wparam: action 1..9, lparam: y << 16 | x
inline constexpr unsigned WM_DATAAVAILABLE = 33144;  // wparam: pointer to the raw data, lparam: 0
inline constexpr unsigned WM_COMERROR = 33145;       // wparam: item, lparam: library status
inline constexpr unsigned WM_LINKCHANGED = 33168;    // from the library; lparam 1 open, 0 closed
inline constexpr unsigned WM_PROGRESS = 33169;       // from the library; wparam percent, lparam != 0 add

// Receives numbered messages synchronously; the result is the message's
// answer (0 when it has none).
class IMessageTarget {
 public:
  virtual std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) = 0;

 protected:
  ~IMessageTarget() = default;
};

}  // namespace orv::platform
