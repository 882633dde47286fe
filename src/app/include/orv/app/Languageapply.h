#pragma once
// The apply-language routine: writes the texts of the translator's current
// language into the main window, the configuration window (when there is
// one) and the nine shared message texts, then asks every bound control to
// redisplay, so combo boxes select their item's value again in the new
// language.

namespace orv::paramset {
class TSerialDataModule;
}

namespace orv::app {

class TFormMain;
class IConfigWindow;

void ApplyLanguage(paramset::TSerialDataModule& module, TFormMain* mainWindow, IConfigWindow* configWindow);

}  // namespace orv::app
