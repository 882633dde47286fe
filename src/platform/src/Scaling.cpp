#include "orv/platform/Scaling.h"

#include "orv/platform/Forms.h"

namespace orv::platform {

int ScaleValue(int value, int m, int d) {
  if (d == 0) return value;
  return static_cast<int>(static_cast<long long>(value) * m / d);
}

void ScaleForm(TForm& form, int screenWidth) {
  if (screenWidth <= 0 || screenWidth == kDesignScreenWidth) return;
  form.ChangeScale(screenWidth, kDesignScreenWidth);
}

}  // namespace orv::platform
