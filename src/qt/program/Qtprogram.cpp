#include "Qtprogram.h"

#include <QMessageBox>
#include <exception>

#include "Waitwindow.h"
#include "orv/app/Main.h"
#include "orv/app/Program.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/DynamicLibrary.h"
#include "orv/qtui/Qsettingsstore.h"
#include "orv/qtui/Qtplatform.h"
#include "orv/qtui/Renderer.h"

namespace orv::qtui {

TOrvApplication::TOrvApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setOrganizationName("orv srl");
  setApplicationName("QVN208");
}

bool TOrvApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(&error);
  } catch (...) {
    // An exception of another kind shows with an empty message.
    ShowException(nullptr);
  }
  return false;
}

void ShowException(const std::exception* error) {
  const QString text = error != nullptr ? QString::fromUtf8(error->what()) : QString();
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

TQtProgram::TQtProgram(const TOptions& options) {
  FMainThread = std::make_unique<TQtMainThread>();
  FMainThreadGuard = std::make_unique<platform::TScopedMainThread>(*FMainThread);
  if (options.Dialogs == nullptr) {
    FQtDialogs = std::make_unique<TQtDialogs>();
    FDialogsGuard = std::make_unique<platform::TScopedDialogs>(*FQtDialogs);
  } else {
    FDialogsGuard = std::make_unique<platform::TScopedDialogs>(*options.Dialogs);
  }
  InstallScreen();
  FRenderer = std::make_unique<TQtRenderer>();
  i18n::ISettingsStore* settings = options.Settings;
  if (settings == nullptr) {
    FOwnSettings = std::make_unique<TQSettingsStore>();
    settings = FOwnSettings.get();
  }
  const std::string directory = options.AppDirectory.empty() ? platform::ApplicationDirectory() : options.AppDirectory;
  FProgram = std::make_unique<app::TProgram>(settings, directory);
  FProgram->Module().OnWaitWindowCreated = [](paramset::TFormAttesa& window) { ShowWaitWindows(window); };
  FRenderer->SetMainForm(&FProgram->MainWindow());
}

TQtProgram::~TQtProgram() {
  // The shell's objects go first (the registry settings are written, the
  // link closed, the libraries released), then the services under them.
  if (FRenderer) FRenderer->SetMainForm(nullptr);
  FProgram.reset();
  FRenderer.reset();
  RemoveScreen();
  FDialogsGuard.reset();
  FQtDialogs.reset();
  FMainThreadGuard.reset();
  FMainThread.reset();
}

app::TFormMain& TQtProgram::MainWindow() { return FProgram->MainWindow(); }

void TQtProgram::Show() { FProgram->MainWindow().Show(); }

int TQtProgram::Exec() { return QApplication::exec(); }

}  // namespace orv::qtui
