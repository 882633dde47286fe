#include "orv/app/Program.h"

#include "orv/app/Main.h"
#include "orv/paramset/Dati.h"

namespace orv::app {

TProgram::TProgram(i18n::ISettingsStore* store, const std::string& appDirectory)
    : FModule(std::make_unique<paramset::TSerialDataModule>()),
      FMainWindow(std::make_unique<TFormMain>(nullptr, *FModule, store, appDirectory)) {
  FModule->SetName("SerialDataModule");
  FMainWindow->SetName("FormMain");
}

TProgram::~TProgram() {
  FMainWindow.reset();
  FModule.reset();
}

}  // namespace orv::app
