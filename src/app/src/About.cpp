#include "orv/app/About.h"

#include "orv/app/Main.h"
#include "orv/app/Shellrules.h"
#include "orv/app/Windowregistry.h"
#include "orv/i18n/Stringids.h"
#include "orv/i18n/Translator.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Description.h"
#include "orv/platform/Scaling.h"
#include "orv/platform/Screen.h"
#include "orv/plugins/Resourcelibrary.h"

namespace orv::resources {
std::string_view AboutBoxDescription();
}

namespace orv::app {

using namespace platform;

void TAboutBox::Register(TClassRegistry& registry) { TClassBuilder<TAboutBox>(registry, "TAboutBox", "TForm", false); }

TAboutBox::TAboutBox(TComponent* owner, TFormMain& mainWindow) : TForm(owner) {
  ReadDescription(*this, resources::AboutBoxDescription(), WindowRegistry());
  Panel1 = dynamic_cast<TPanel*>(FindComponent("Panel1"));
  AboutImage = dynamic_cast<TImage*>(FindComponent("AboutImage"));
  ProductName = dynamic_cast<TLabel*>(FindComponent("ProductName"));
  Version = dynamic_cast<TLabel*>(FindComponent("Version"));
  LabelNotice = dynamic_cast<TLabel*>(FindComponent("LabelNotice"));
  OKButton = dynamic_cast<TButton*>(FindComponent("OKButton"));
  if (AboutImage == nullptr || ProductName == nullptr || Version == nullptr || OKButton == nullptr)
    throw TDescriptionError(0, "the about box's description lacks one of its components");

  // The picture of the resource library, when it is loaded.
  const TPicture picture = mainWindow.ResourcePicture(plugins::kResAboutPicture);
  if (!picture.Empty()) AboutImage->SetPicture(picture);
  ScaleForm(*this, Screen().Width());

  SetCaption(mainWindow.Caption());
  ProductName->SetCaption(mainWindow.Caption());
  i18n::TTranslator* translator = mainWindow.Module().Translator;
  const std::string word = translator != nullptr ? translator->GetString(i18n::kStrVersion) : std::string();
  Version->SetCaption(AboutVersionLine(word, ProgramVersionRecord()));
}

}  // namespace orv::app
