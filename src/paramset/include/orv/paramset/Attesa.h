#pragma once
// TFormAttesa: the wait window of long operations (connecting, erasing the
// ECU's stored parameters, saving and loading configuration files) as a
// window-system-free model: caption, message line, progress bar, percentage
// line and animation state. A renderer shows it and sets OnPaint so that the
// explicit repaints happen at once while the user-interface thread is busy.
//
// Lifetime: created for one operation by its owner (the data module, or the
// configuration window for the erase) and destroyed when the operation ends.
// While it exists it listens to the communication library's progress
// message (33169) through the connection given at creation.
//
// Thread: user-interface thread only.

#include <cstdint>
#include <functional>
#include <string>

#include "orv/platform/Component.h"
#include "orv/platform/Messages.h"

namespace orv::link {
class TOrvConnection;
}

namespace orv::paramset {

class TFormAttesa : public platform::TComponent, public platform::IMessageTarget {
 public:
  // Client area at an 800-pixel-wide screen.
  static constexpr int kClientWidth = 342;
  static constexpr int kClientHeight = 110;
  static constexpr int kAnimationResource = 1000;

  // connection may be null (no progress from the library then); it is not
  // owned, and its destruction is noticed.
  explicit TFormAttesa(platform::TComponent* owner, link::TOrvConnection* connection = nullptr);
  ~TFormAttesa() override;

  const char* ClassName() const override { return "TFormAttesa"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption) { FCaption = caption; }
  // The operation's message (the label above the bar).
  const std::string& Message() const { return FMessage; }
  void SetMessage(const std::string& message) { FMessage = message; }
  // The word shown after "<position>% " on the percentage line.
  const std::string& TextCompleted() const { return FTextCompleted; }
  void SetTextCompleted(const std::string& text) { FTextCompleted = text; }

  // Bar position, 0 to 100.
  int Position() const { return FPosition; }
  // The percentage line: the position in decimal, "% ", TextCompleted.
  const std::string& CompletedText() const { return FCompletedText; }

  // absolute: the position becomes percent; otherwise percent is added in
  // 8-bit arithmetic. The bar keeps its range (a result above 100 shows 100).
  // The percentage line follows and is painted at once.
  void SetProgress(std::uint8_t percent, bool absolute);

  bool AnimationActive() const { return FAnimationActive; }
  void SetAnimationActive(bool active) { FAnimationActive = active; }

  bool Visible() const { return FVisible; }
  // Shows the window (not modal) and paints it at once.
  void Show();
  void Hide() { FVisible = false; }

  // Client size after the screen-scaling rule (screen width / 800, integer
  // arithmetic) as it was when the window was created.
  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }

  // 33169 from the communication library: wparam's low 8 bits are the
  // percent, lparam non-zero adds, zero sets; then every window is painted.
  // Other messages are answered with 0 and ignored.
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override;

  // Paints at once: false = this window, true = every window of the program.
  std::function<void(bool allWindows)> OnPaint;

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  void Paint(bool allWindows);

  link::TOrvConnection* FConnection = nullptr;
  std::string FCaption;
  std::string FMessage = "Connessione in corso. Attendere ...";
  std::string FTextCompleted;
  std::string FCompletedText = "Completed:";
  int FPosition = 0;
  bool FAnimationActive = false;
  bool FVisible = false;
  int FClientWidth = kClientWidth;
  int FClientHeight = kClientHeight;
};

}  // namespace orv::paramset
