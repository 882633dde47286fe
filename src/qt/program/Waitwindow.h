#pragma once
// The wait window on screen: a small tool window that shows a wait-window
// model (message, a looping animation, the gradient progress bar and the
// percentage line) and paints at once when the model asks, so progress shows
// while the user-interface thread is busy with the operation.
// Thread: the GUI thread.

#include <QDialog>

namespace orv::paramset {
class TFormAttesa;
}

class QLabel;
class QTimer;

namespace orv::qtui {

class TWaitWindowView final : public QDialog {
  Q_OBJECT
 public:
  // Follows model until the model is destroyed (the view goes with it).
  explicit TWaitWindowView(paramset::TFormAttesa& model);
  ~TWaitWindowView() override;

  // Shows the model's state now (and every window, when asked).
  void Refresh(bool allWindows);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class TAnimation;
  class TProgressBar;
  paramset::TFormAttesa& FModel;
  QLabel* FMessage = nullptr;
  QLabel* FCompleted = nullptr;
  TAnimation* FAnimation = nullptr;
  TProgressBar* FBar = nullptr;
};

// Makes every wait window the module creates appear on screen.
void ShowWaitWindows(paramset::TFormAttesa& model);

}  // namespace orv::qtui
