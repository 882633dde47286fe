#pragma once
// What the data module's handlers need of the vehicle configuration window:
// the option fields that follow the configuration flags and the band
// indicators of the live panel. The window implements it and attaches itself
// to the data module while it exists; with no window attached the handlers
// leave the window alone.
//
// Thread: user-interface thread only.

namespace orv::paramset {

class IConfigWindowHooks {
 public:
  // The configuration flags were written: show or hide the fields that
  // depend on the flag check boxes (affondata, cut-off, fixed default).
  virtual void UpdateFlagOptions() = 0;
  // Lights a lambda band indicator (0 to 2) to percent (0 or 100).
  virtual void SetLambdaBand(int indicator, int percent) = 0;
  // Lights a throttle band indicator (0 to 3) to percent (0 or 100).
  virtual void SetTpsBand(int indicator, int percent) = 0;

 protected:
  ~IConfigWindowHooks() = default;
};

}  // namespace orv::paramset
