#pragma once
// The program's objects in their start-up order: the data module (every item
// at its design defaults, the communication library not yet loaded), the
// main window (registry settings, language and resource libraries, one
// button per language) and the vehicle-configuration window when one is
// attached. Destroyed in the reverse order: the configuration window, the
// main window (its registry settings are written back), then the data module,
// which closes the ECU link and releases the communication library.
//
// Thread: user-interface thread only.

#include <memory>
#include <string>

namespace orv::paramset {
class TSerialDataModule;
}
namespace orv::i18n {
class ISettingsStore;
}

namespace orv::app {

class TFormMain;

class TProgram {
 public:
  // store: the registry settings' store (not owned; may be null: nothing is
  // remembered). appDirectory: the folder of the program file, with a
  // trailing separator. Throws what a refused description throws.
  TProgram(i18n::ISettingsStore* store, const std::string& appDirectory);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  paramset::TSerialDataModule& Module() { return *FModule; }
  TFormMain& MainWindow() { return *FMainWindow; }

 private:
  std::unique_ptr<paramset::TSerialDataModule> FModule;
  std::unique_ptr<TFormMain> FMainWindow;
};

}  // namespace orv::app
