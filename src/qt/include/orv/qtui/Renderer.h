#pragma once
// The Qt rendering of the control models: one top-level window per form,
// one peer widget per control, kept in step both ways. Model changes reach
// the widgets through the controls' observers; user input reaches the
// models first (keys through InputKeyDown / InputKeyPress, which decide
// whether the widget sees them; focus, clicks, list opening and choices
// through the controls' operations).
//
// TQtRenderer is the process's form service, popup service and text
// measurer while it exists: showing a form creates its window, ShowModal
// runs a modal event loop that ends when the form's ModalResult is set (or
// its window is closed), Popup runs a context menu.
// Thread: the GUI thread; a QApplication must exist.

#include <map>
#include <memory>

#include "orv/platform/Controls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Menus.h"

class QWidget;
class QFont;

namespace orv::qtui {

class TFormWindow;
class TPeer;

class TQtRenderer final : public platform::IFormService,
                          public platform::IPopupService,
                          public platform::ITextMeasurer {
 public:
  // Installs itself as form service, popup service and text measurer.
  TQtRenderer();
  ~TQtRenderer() override;
  TQtRenderer(const TQtRenderer&) = delete;
  TQtRenderer& operator=(const TQtRenderer&) = delete;

  // IFormService.
  void FormVisibleChanged(platform::TForm& form) override;
  void RunModal(platform::TForm& form) override;
  void FormClosed(platform::TForm& form, platform::TCloseAction action) override;
  void ProcessMessages() override;
  // IPopupService.
  void Popup(platform::TPopupMenu& menu, int x, int y) override;
  // ITextMeasurer.
  int TextWidth(const platform::TFont& font, std::string_view text) override;
  int TextHeight(const platform::TFont& font) override;

  // Creates the window of a form (and every control's peer) without
  // showing it; the window of a form that has one already.
  QWidget* Window(platform::TForm& form);
  // The peer widget of a control (nullptr before its form has a window).
  QWidget* Peer(const platform::TControl& control) const;
  // Closing this form (Close) ends the application's event loop.
  void SetMainForm(platform::TForm* form) { FMainForm = form; }

  // The Qt font of a model font: design fonts ("MS Sans Serif" and the
  // like) become the system font, at the model's pixel size.
  static QFont QtFont(const platform::TFont& font);

 private:
  friend class TPeer;
  friend class TFormWindow;
  TPeer* CreatePeer(platform::TControl& control, QWidget* parent);
  void PeerGone(TPeer* peer);
  void ModalResultChanged(platform::TForm& form);

  std::map<const platform::TControl*, TPeer*> FPeers;
  std::map<platform::TForm*, int> FModalDepth;
  platform::TForm* FMainForm = nullptr;
};

// The Qt colour of a model colour (system colours as the platform's defaults).
unsigned QtRgb(platform::TColor color);

}  // namespace orv::qtui
