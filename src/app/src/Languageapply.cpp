#include "orv/app/Languageapply.h"

#include "orv/app/Main.h"
#include "orv/i18n/Messagetexts.h"
#include "orv/i18n/Stringids.h"
#include "orv/i18n/Translator.h"
#include "orv/paramset/Dati.h"

namespace orv::app {

void ApplyLanguage(paramset::TSerialDataModule& module, TFormMain* mainWindow, IConfigWindow* configWindow) {
  i18n::TTranslator* translator = module.Translator;
  if (translator == nullptr) return;
  auto text = [translator](int id) { return translator->GetString(id); };

  if (mainWindow != nullptr) {
    TFormMain& w = *mainWindow;
    w.SetCaption(text(i18n::kStrCaption));
    w.LabelMenu->SetCaption(text(i18n::kStrLabelMenu));
    if (w.LabelConfVettura) w.LabelConfVettura->SetCaption(text(i18n::kStrLabelConfVettura));
    if (w.LabelConfSoft) w.LabelConfSoft->SetCaption(text(i18n::kStrLabelConfSoft));
    if (w.LabelLoadFile) w.LabelLoadFile->SetCaption(text(i18n::kStrLabelLoadFile));
    if (w.LabelDownLoadFile) w.LabelDownLoadFile->SetCaption(text(i18n::kStrLabelDownLoadFile));
    if (w.LabelUscita) w.LabelUscita->SetCaption(text(i18n::kStrLabelUscita));
  }
  // The shared texts, in the order the routine has always set them.
  i18n::LoadMessageTexts(*translator, module.Texts);
  if (mainWindow != nullptr) {
    TFormMain& w = *mainWindow;
    if (w.MenuFile) w.MenuFile->SetCaption(text(i18n::kStrMenuFile));
    if (w.ActionEsci) w.ActionEsci->SetCaption(text(i18n::kStrActionEsci));
    if (w.MenuComunicazione) w.MenuComunicazione->SetCaption(text(i18n::kStrMenuComunicazione));
    w.ActionConnect->SetCaption(text(i18n::kStrActionConnect));
    w.ActionDisconnect->SetCaption(text(i18n::kStrActionDisconnect));
    if (w.MenuAiuto) w.MenuAiuto->SetCaption(text(i18n::kStrMenuAiuto));
    if (w.ActionAbout) w.ActionAbout->SetCaption(text(i18n::kStrActionAbout));
  }
  if (configWindow != nullptr) configWindow->ApplyLanguage();
  module.NotifyAllControls();
}

}  // namespace orv::app
