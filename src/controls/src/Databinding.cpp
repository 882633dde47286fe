#include "orv/controls/Databinding.h"

#include <cmath>

#include "orv/platform/Forms.h"
#include "orv/platform/NumberText.h"

namespace orv::controls {

void MoveFocusAlongChain(platform::TWinControl& self, platform::TWinControl* target, bool goForward) {
  if (target != nullptr && target->CanFocus()) {
    target->SetFocus();
    return;
  }
  if (platform::TForm* form = self.ParentForm()) form->SelectNext(&self, goForward);
}

namespace {

bool PrecisionAllowsDecimals(double precision, char separator) {
  if (precision == 0.0) return true;
  if (platform::FloatToStr(precision, separator).find(separator) != std::string::npos) return true;
  // Very small steps are written in exponent form without a separator; they
  // still need decimals.
  return std::isfinite(precision) && precision != std::trunc(precision);
}

}  // namespace

TValueKeyResult FilterValueKey(const TValueKeyInput& in) {
  char c = in.Key;
  if ((c >= '0' && c <= '9') || c == '\b') return {c, false};
  const char sep = in.DecimalSeparator;
  if (c == '.' || c == ',') {
    c = sep;
    if (in.Text.find(sep) != std::string_view::npos && in.SelText.find(sep) == std::string_view::npos)
      return {0, false};
  }
  if (in.Bound) {
    if (c == sep && PrecisionAllowsDecimals(in.Precision, sep)) return {c, false};
    const bool allowsNegative = in.ValueMin < 0.0 || (in.ValueMin == 0.0 && in.ValueMax == 0.0);
    if (c == '-' && in.SelStart == 0 && allowsNegative &&
        (in.Text.find('-') == std::string_view::npos || in.SelText.find('-') != std::string_view::npos))
      return {c, false};
  } else {
    if (c == sep) return {c, false};
    if (c == '-' && in.SelStart == 0) return {c, false};
  }
  if (c == '\r') return {0, true};
  return {0, false};
}

}  // namespace orv::controls
