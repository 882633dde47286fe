#include "orv/platform/Screen.h"

namespace orv::platform {

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace orv::platform
