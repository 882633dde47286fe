#pragma once
// The window scaling rule: a window created while the screen is not 800
// pixels wide scales the positions, sizes and font sizes of itself and all
// its controls by screen width / 800, in integer arithmetic truncating
// toward zero.

namespace orv::platform {

class TForm;

inline constexpr int kDesignScreenWidth = 800;

// value x m / d, truncated toward zero (no overflow for window sizes).
int ScaleValue(int value, int m, int d);
// Scales form and its controls by screenWidth / 800; nothing when the
// width is 800 or not positive.
void ScaleForm(TForm& form, int screenWidth);

}  // namespace orv::platform
