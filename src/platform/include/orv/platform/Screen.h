#pragma once
// The screen: its size and the screen cursor, as the windows and the long
// operations use them. The program keeps it in step with the real screen;
// tests set the size they need.

#include <atomic>
#include <functional>

namespace orv::platform {

enum TCursor : int {
  crDefault = 0,
  crArrow = -2,
  crHourGlass = -11,
  crAppStart = -19,  // busy with arrow
  crHandPoint = -21,
};

class TScreen {
 public:
  int Width() const { return FWidth.load(); }
  int Height() const { return FHeight.load(); }
  void SetSize(int width, int height) {
    FWidth.store(width);
    FHeight.store(height);
  }
  TCursor Cursor() const { return FCursor.load(); }
  void SetCursor(TCursor cursor) {
    FCursor.store(cursor);
    if (OnCursorChanged) OnCursorChanged(cursor);
  }
  // Runs on the thread that set the cursor (the user-interface thread); the
  // renderer shows the cursor there.
  std::function<void(TCursor)> OnCursorChanged;

 private:
  std::atomic<int> FWidth{800};
  std::atomic<int> FHeight{600};
  std::atomic<TCursor> FCursor{crDefault};
};

// The process's screen.
TScreen& Screen();

}  // namespace orv::platform
