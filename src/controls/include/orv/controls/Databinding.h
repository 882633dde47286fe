#pragma once
// What the data-bound controls share: the focus chain rule and the key
// filter of the value edit as pure functions.
//
// Thread: user-interface thread.

#include <string_view>

#include "orv/platform/Controls.h"

namespace orv::controls {

// How a control shows that the ECU does not define its item.
enum TDataDefinedAspect { ddNone, ddInvisible, ddDisabled };

// Moves the focus from self to target when target can take it now;
// otherwise to the next (goForward) or previous control in the tab order of
// self's form.
void MoveFocusAlongChain(platform::TWinControl& self, platform::TWinControl* target, bool goForward);

// What the value edit's key filter sees of the field and its item.
struct TValueKeyInput {
  char Key = 0;
  std::string_view Text;
  int SelStart = 0;
  std::string_view SelText;
  char DecimalSeparator = '.';
  bool Bound = false;
  double Precision = 0.0;
  double ValueMin = 0.0;
  double ValueMax = 0.0;
};

struct TValueKeyResult {
  char Key = 0;              // the character let through (0: swallowed)
  bool EnterAction = false;  // Enter arrived: run the commit and move on
  bool operator==(const TValueKeyResult&) const = default;
};

// The value edit's decision for one typed character.
TValueKeyResult FilterValueKey(const TValueKeyInput& input);

}  // namespace orv::controls
