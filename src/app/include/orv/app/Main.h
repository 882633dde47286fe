#pragma once
// TFormMain: the program's full-screen main window, a menu of four
// function-key buttons (F1 vehicle configuration, F2 save, F3 load, F5 exit)
// with a text beside each, a column of language buttons, a menu bar and a
// two-panel status bar that shows whether the ECU is connected and on which
// port. Built from its stored description; the handlers below are bound to
// its components by name.
//
// Thread: user-interface thread only. Ownership: the form owns its
// components; the data module, the settings store and the configuration
// window are the program's and outlive it.

#include <functional>
#include <memory>
#include <string>

#include "orv/platform/Actions.h"
#include "orv/platform/DynamicLibrary.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
class TClassRegistry;
}
namespace orv::paramset {
class TSerialDataModule;
}
namespace orv::i18n {
class ISettingsStore;
class TOrvRegistryData;
}  // namespace orv::i18n

namespace orv::app {

// What the main window needs of the vehicle-configuration window, which is
// shown modally by F1 and follows the language and link state.
class IConfigWindow {
 public:
  virtual int ShowModal() = 0;
  // The popup menu the main window takes as its own (may be null).
  virtual platform::TPopupMenu* PopupMenuConfig() = 0;
  // Texts of the current language, and the status panel's connection text.
  virtual void ApplyLanguage() = 0;
  virtual void SetConnectionText(const std::string& text) = 0;

 protected:
  ~IConfigWindow() = default;
};

class TFormMain : public platform::TForm {
 public:
  // Builds the window from its description and runs the construction steps:
  // scaling, placing, the registry settings, the language and resource
  // libraries, the language buttons. appDirectory ends with a separator.
  TFormMain(platform::TComponent* owner, paramset::TSerialDataModule& module, i18n::ISettingsStore* store,
            const std::string& appDirectory);
  ~TFormMain() override;

  const char* ClassName() const override { return "TFormMain"; }
  static void Register(platform::TClassRegistry& registry);

  void SetConfigWindow(IConfigWindow* window);

  // ---- Components ----
  platform::TLabel* LabelMenu = nullptr;
  platform::TBitBtn* BitBtnConfig = nullptr;
  platform::TLabel* LabelConfVettura = nullptr;
  platform::TBitBtn* BitBtnSalvaFile = nullptr;
  platform::TLabel* LabelDownLoadFile = nullptr;
  platform::TBitBtn* BitBtnLoadFile = nullptr;
  platform::TLabel* LabelLoadFile = nullptr;
  platform::TBitBtn* BitBtnSoftware = nullptr;
  platform::TLabel* LabelConfSoft = nullptr;
  platform::TBitBtn* BitBtnEsci = nullptr;
  platform::TLabel* LabelUscita = nullptr;
  platform::TBitBtn* BitBtnRiprogramma = nullptr;
  platform::TLabel* LabelRiprogramma = nullptr;
  platform::TLabel* LabelFreccia = nullptr;
  platform::TPanel* PanelLingue = nullptr;
  platform::TScrollBox* ScrollLingue = nullptr;
  platform::TStatusBar* LMDStatusBarMain = nullptr;
  i18n::TOrvRegistryData* OrvRegistryData = nullptr;
  platform::TMainMenu* MainMenu = nullptr;
  platform::TMenuItem* MenuFile = nullptr;
  platform::TMenuItem* MenuFileEsci = nullptr;
  platform::TMenuItem* MenuComunicazione = nullptr;
  platform::TMenuItem* MenuComunicazioneConnetti = nullptr;
  platform::TMenuItem* MenuComunicazioneDisconnetti = nullptr;
  platform::TMenuItem* MenuAiuto = nullptr;
  platform::TMenuItem* MenuAiutoAbout = nullptr;
  platform::TActionList* ActionList = nullptr;
  platform::TAction* ActionConfVett = nullptr;
  platform::TAction* ActionSalvaFile = nullptr;
  platform::TAction* ActionCaricaFile = nullptr;
  platform::TAction* ActionSoftware = nullptr;
  platform::TAction* ActionEsci = nullptr;
  platform::TAction* ActionProgramma = nullptr;
  platform::TAction* ActionConnect = nullptr;
  platform::TAction* ActionDisconnect = nullptr;
  platform::TAction* ActionAbout = nullptr;

  // The file dialogs' settings.
  platform::TFileDialogSpec SaveDialogFile;
  platform::TFileDialogSpec OpenDialogFile;

  // ---- Handlers ----
  void FormShow(platform::TComponent* sender);
  void FormClose(platform::TComponent* sender, platform::TCloseAction& action);
  void ActionConfVettExecute(platform::TComponent* sender);
  void ActionSalvaFileExecute(platform::TComponent* sender);
  void ActionCaricaFileExecute(platform::TComponent* sender);
  void ActionSoftwareExecute(platform::TComponent* sender);
  void ActionEsciExecute(platform::TComponent* sender);
  void ActionConnectExecute(platform::TComponent* sender);
  void ActionDisconnectExecute(platform::TComponent* sender);
  void ActionAboutExecute(platform::TComponent* sender);
  void ToolButtonLingueClick(platform::TComponent* sender);

  // Applies the language stored in the registry settings, the status
  // panel's connection text and the label layout.
  void ApplyCurrentLanguage();
  // Every label the window owns gets the common left.
  void LayoutLabels();

  // ---- State ----
  const std::string& ApplicationDirectory() const { return FAppDirectory; }
  // The resource library, while loaded (shared with the about box).
  platform::TDynamicLibrary& ResourceLibrary() { return FResourceLibrary; }
  // A picture of the resource library (empty when it is not loaded).
  platform::TPicture ResourcePicture(std::uint32_t resource) const;
  paramset::TSerialDataModule& Module() { return FModule; }

  // Called after the about box is built, before it is shown (tests, renderer).
  std::function<void(platform::TForm&)> OnAboutBoxCreated;

 protected:
  void WndProc(platform::TMessage& message) override;

 private:
  void BindMembers();
  void CreateLanguageButtons();
  void LinkChanged(std::intptr_t state);
  void RunFileCommand(bool save);

  paramset::TSerialDataModule& FModule;
  i18n::ISettingsStore* FStore = nullptr;
  std::string FAppDirectory;
  platform::TDynamicLibrary FResourceLibrary;
  IConfigWindow* FConfigWindow = nullptr;
};

}  // namespace orv::app
