#pragma once
// The program on Qt: the platform services (main-thread dispatcher on the
// event loop, dialogs, screen, renderer, settings store) installed around the
// shell's objects in their start-up order, and the exception rule. The
// executable runs one; offscreen tests drive one with their own dialog
// service and settings file.
// Thread: the GUI thread; a QApplication must exist.

#include <QApplication>
#include <memory>
#include <string>

#include "orv/platform/Dialogs.h"
#include "orv/platform/MainThread.h"

namespace orv::app {
class TProgram;
class TFormMain;
}  // namespace orv::app
namespace orv::i18n {
class ISettingsStore;
}

namespace orv::qtui {

class TQtMainThread;
class TQtDialogs;
class TQtRenderer;

// A QApplication that shows an exception escaping an event handler with the
// standard error message and carries on, as the program always has.
class TOrvApplication final : public QApplication {
 public:
  TOrvApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of the exception being handled as an error message.
void ShowException(const std::exception* error);

class TQtProgram {
 public:
  struct TOptions {
    // Where the run-time libraries are (with a trailing separator); empty:
    // beside the program file.
    std::string AppDirectory;
    // The settings store; null: the user's settings (QSettings).
    i18n::ISettingsStore* Settings = nullptr;
    // The dialog service; null: Qt's message boxes and file dialogs.
    platform::IDialogService* Dialogs = nullptr;
  };

  // Creates the data module and the main window (start-up steps 2 to 4).
  // Throws what a refused description throws.
  explicit TQtProgram(const TOptions& options);
  ~TQtProgram();

  // Shows the main window; closing it ends the event loop.
  void Show();
  // Runs the event loop until the main window closes; returns its code.
  int Exec();

  app::TProgram& Program() { return *FProgram; }
  app::TFormMain& MainWindow();
  TQtRenderer& Renderer() { return *FRenderer; }

 private:
  std::unique_ptr<TQtMainThread> FMainThread;
  std::unique_ptr<platform::TScopedMainThread> FMainThreadGuard;
  std::unique_ptr<TQtDialogs> FQtDialogs;
  std::unique_ptr<platform::TScopedDialogs> FDialogsGuard;
  std::unique_ptr<TQtRenderer> FRenderer;
  std::unique_ptr<i18n::ISettingsStore> FOwnSettings;
  std::unique_ptr<app::TProgram> FProgram;
};

}  // namespace orv::qtui
