#pragma once
// The program's platform services on Qt: message boxes, file dialogs and
// the beep; the main-thread dispatcher on the Qt event loop; the screen's
// size and cursor.
// Thread: the GUI thread, except TQtMainThread::Synchronize/Queue (any).

#include <QObject>

#include "orv/platform/Dialogs.h"
#include "orv/platform/MainThread.h"

namespace orv::qtui {

// Message boxes (QMessageBox with the icon of the type and the buttons of
// the set), file dialogs (QFileDialog with the filter, default suffix and
// folder) and QApplication::beep.
class TQtDialogs final : public platform::IDialogService {
 public:
  int MessageBox(const std::string& text, const std::string& caption, platform::TMsgDlgType type, unsigned buttons,
                 unsigned defaultButton = 0) override;
  bool OpenFileDialog(const platform::TFileDialogSpec& spec, std::string& fileName) override;
  bool SaveFileDialog(const platform::TFileDialogSpec& spec, std::string& fileName) override;
  void Beep() override;
};

// "File : |*.lce" as a Qt name filter: "File : (*.lce)".
std::string QtFileFilter(const std::string& filter);

// The main-thread queue on the Qt event loop: queued work runs from the
// loop; ProcessMessages runs it and the pending window-system events.
class TQtMainThread final : public QObject, public platform::TMainThreadQueue {
  Q_OBJECT
 public:
  TQtMainThread();
  void ProcessMessages() override;

 protected:
  void WorkArrived() override;
};

// Puts the primary screen's size into platform::Screen() and makes the
// screen cursor follow platform::Screen() (an override cursor while it is
// not the default one). Call once after the QApplication exists.
void InstallScreen();
void RemoveScreen();

}  // namespace orv::qtui
