#include "orv/app/Main.h"

#include <algorithm>

#include "orv/app/About.h"
#include "orv/app/Languageapply.h"
#include "orv/app/Shellrules.h"
#include "orv/app/Windowregistry.h"
#include "orv/i18n/Orvregistrydata.h"
#include "orv/i18n/Translator.h"
#include "orv/link/Datarefresher.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Description.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Scaling.h"
#include "orv/platform/Screen.h"
#include "orv/plugins/Resourcelibrary.h"

namespace orv::resources {
std::string_view FormMainDescription();
}

namespace orv::app {

using namespace platform;

namespace {
constexpr TColor kColorConnected = 32768;
constexpr TColor kColorNotConnected = 255;
constexpr const char* kLanguageValue = "Language";

template <class T>
T* Find(TComponent& root, const char* name) {
  return dynamic_cast<T*>(root.FindComponent(name));
}
}  // namespace

void TFormMain::Register(TClassRegistry& registry) {
  using Self = TFormMain;
  auto notify = [](void (Self::*method)(TComponent*)) {
    return [method](Self& self) -> TNotifyEvent { return [&self, method](TComponent* s) { (self.*method)(s); }; };
  };
  TClassBuilder<Self>(registry, "TFormMain", "TForm", false)
      .Method<TNotifyEvent>("FormShow", notify(&Self::FormShow))
      .Method<TCloseEvent>(
          "FormClose",
          [](Self& self) -> TCloseEvent { return [&self](TComponent* s, TCloseAction& a) { self.FormClose(s, a); }; })
      .Method<TNotifyEvent>("ActionConfVettExecute", notify(&Self::ActionConfVettExecute))
      .Method<TNotifyEvent>("ActionSalvaFileExecute", notify(&Self::ActionSalvaFileExecute))
      .Method<TNotifyEvent>("ActionCaricaFileExecute", notify(&Self::ActionCaricaFileExecute))
      .Method<TNotifyEvent>("ActionSoftwareExecute", notify(&Self::ActionSoftwareExecute))
      .Method<TNotifyEvent>("ActionEsciExecute", notify(&Self::ActionEsciExecute))
      .Method<TNotifyEvent>("ActionConnectExecute", notify(&Self::ActionConnectExecute))
      .Method<TNotifyEvent>("ActionDisconnectExecute", notify(&Self::ActionDisconnectExecute))
      .Method<TNotifyEvent>("ActionAboutExecute", notify(&Self::ActionAboutExecute))
      .Method<TNotifyEvent>("ToolButtonLingueClick", notify(&Self::ToolButtonLingueClick));
}

TFormMain::TFormMain(TComponent* owner, paramset::TSerialDataModule& module, i18n::ISettingsStore* store,
                     const std::string& appDirectory)
    : TForm(owner), FModule(module), FStore(store), FAppDirectory(appDirectory) {
  // 1. The components of the description.
  ReadDescription(*this, resources::FormMainDescription(), WindowRegistry());
  BindMembers();
  SaveDialogFile = {"", "lce", "File : |*.lce", FAppDirectory + "Configurazioni", ""};
  OpenDialogFile = {"", "lce", "File: |*.lce", FAppDirectory + "Configurazioni", ""};

  // 2. The screen-scaling rule.
  ScaleForm(*this, Screen().Width());

  // 3-4. A full-screen window that cannot be moved or resized. The system
  // menu of the window system offers no Move, Size or Restore then.
  SetBorderIcons(biSystemMenu | biMinimize);
  SetBounds(0, 0, Screen().Width(), Screen().Height());
  SetWindowState(wsMaximized);

  // 6. Registry settings.
  if (OrvRegistryData != nullptr) {
    OrvRegistryData->SetStore(FStore);
    OrvRegistryData->LoadData();
  }

  // 7. The language library.
  if (FModule.Translator != nullptr) {
    FModule.Translator->SetDllName(FAppDirectory + "Dizionario\\Languages.dll");
    FModule.Translator->LoadLanguageLibrary();
  }

  // 8. The resource library and the application icon.
  if (FResourceLibrary.Load(FAppDirectory + "ConfigBase.dll")) {
    const TPicture icon = ResourcePicture(plugins::kResIcon);
    if (!icon.Empty()) SetIcon(icon);
  }

  // 9-10. One button per language.
  CreateLanguageButtons();

  if (FModule.OrvConnection != nullptr) FModule.OrvConnection->AddLinkListener(this);
}

TFormMain::~TFormMain() {
  if (FModule.OrvConnection != nullptr) FModule.OrvConnection->RemoveLinkListener(this);
  // The registry settings are written when the window goes (its component
  // saves on destruction); the components may call back into the window.
  DestroyComponents();
}

void TFormMain::BindMembers() {
  LabelMenu = Find<TLabel>(*this, "LabelMenu");
  BitBtnConfig = Find<TBitBtn>(*this, "BitBtnConfig");
  LabelConfVettura = Find<TLabel>(*this, "LabelConfVettura");
  BitBtnSalvaFile = Find<TBitBtn>(*this, "BitBtnSalvaFile");
  LabelDownLoadFile = Find<TLabel>(*this, "LabelDownLoadFile");
  BitBtnLoadFile = Find<TBitBtn>(*this, "BitBtnLoadFile");
  LabelLoadFile = Find<TLabel>(*this, "LabelLoadFile");
  BitBtnSoftware = Find<TBitBtn>(*this, "BitBtnSoftware");
  LabelConfSoft = Find<TLabel>(*this, "LabelConfSoft");
  BitBtnEsci = Find<TBitBtn>(*this, "BitBtnEsci");
  LabelUscita = Find<TLabel>(*this, "LabelUscita");
  BitBtnRiprogramma = Find<TBitBtn>(*this, "BitBtnRiprogramma");
  LabelRiprogramma = Find<TLabel>(*this, "LabelRiprogramma");
  LabelFreccia = Find<TLabel>(*this, "LabelFreccia");
  PanelLingue = Find<TPanel>(*this, "PanelLingue");
  ScrollLingue = Find<TScrollBox>(*this, "ScrollLingue");
  LMDStatusBarMain = Find<TStatusBar>(*this, "LMDStatusBarMain");
  OrvRegistryData = Find<i18n::TOrvRegistryData>(*this, "OrvRegistryData");
  MainMenu = Find<TMainMenu>(*this, "MainMenu");
  MenuFile = Find<TMenuItem>(*this, "MenuFile");
  MenuFileEsci = Find<TMenuItem>(*this, "MenuFileEsci");
  MenuComunicazione = Find<TMenuItem>(*this, "MenuComunicazione");
  MenuComunicazioneConnetti = Find<TMenuItem>(*this, "MenuComunicazioneConnetti");
  MenuComunicazioneDisconnetti = Find<TMenuItem>(*this, "MenuComunicazioneDisconnetti");
  MenuAiuto = Find<TMenuItem>(*this, "MenuAiuto");
  MenuAiutoAbout = Find<TMenuItem>(*this, "MenuAiutoAbout");
  ActionList = Find<TActionList>(*this, "ActionList");
  ActionConfVett = Find<TAction>(*this, "ActionConfVett");
  ActionSalvaFile = Find<TAction>(*this, "ActionSalvaFile");
  ActionCaricaFile = Find<TAction>(*this, "ActionCaricaFile");
  ActionSoftware = Find<TAction>(*this, "ActionSoftware");
  ActionEsci = Find<TAction>(*this, "ActionEsci");
  ActionProgramma = Find<TAction>(*this, "ActionProgramma");
  ActionConnect = Find<TAction>(*this, "ActionConnect");
  ActionDisconnect = Find<TAction>(*this, "ActionDisconnect");
  ActionAbout = Find<TAction>(*this, "ActionAbout");
  if (LabelMenu == nullptr || BitBtnConfig == nullptr || ScrollLingue == nullptr || PanelLingue == nullptr ||
      LMDStatusBarMain == nullptr || ActionConnect == nullptr || ActionDisconnect == nullptr ||
      OrvRegistryData == nullptr)
    throw TDescriptionError(0, "the main window's description lacks one of its components");
  LMDStatusBarMain->EnsurePanel(1);
}

void TFormMain::SetConfigWindow(IConfigWindow* window) {
  FConfigWindow = window;
  SetPopupMenu(window != nullptr ? window->PopupMenuConfig() : nullptr);
}

TPicture TFormMain::ResourcePicture(std::uint32_t resource) const {
  TPicture picture;
  if (!FResourceLibrary.IsLoaded()) return picture;
  auto get = FResourceLibrary.Function<plugins::GetResourceFn>(plugins::kGetResource);
  if (get == nullptr) return picture;
  std::uint32_t size = 0;
  const std::uint8_t* bytes = get(resource, &size);
  if (bytes != nullptr && size > 0) picture.Bytes.assign(bytes, bytes + size);
  return picture;
}

void TFormMain::CreateLanguageButtons() {
  const int count = FModule.Translator != nullptr ? FModule.Translator->LanguageCount() : 1;
  const int scrollWidth = ScrollLingue->Width();
  const auto places = LanguageButtonPlaces(count, Screen().Width(), scrollWidth, false);
  for (int i = 0; i < count; ++i) {
    auto* button = new TSpeedButton(PanelLingue);
    button->SetParent(ScrollLingue);
    button->SetBounds(places[static_cast<std::size_t>(i)].Left, places[static_cast<std::size_t>(i)].Top,
                      kLanguageButtonSize, kLanguageButtonSize);
    button->SetName("ButtonLingua" + std::to_string(i));
    button->Tag = i;
    button->SetCaption("");
    button->SetGroupIndex(1);
    button->SetCursor(crHandPoint);
    button->SetLayout(blGlyphRight);
    const std::string name = FModule.Translator != nullptr ? FModule.Translator->GetLanguageName(i) : "";
    button->SetHint(LanguageHint(name));
    button->SetShowHint(true);
    button->OnClick = [this](TComponent* sender) { ToolButtonLingueClick(sender); };
    // A picture that cannot be had leaves the button without one.
    button->SetGlyph(ResourcePicture(plugins::kResFirstFlag + static_cast<std::uint32_t>(i)));
  }
  if (ScrollLingue->VertScrollBarShowing()) {
    for (int i = 0; i < ScrollLingue->ControlCount(); ++i)
      ScrollLingue->Controls(i)->SetLeft((scrollWidth - kLanguageButtonSize) / 3);
  }
}

void TFormMain::FormShow(TComponent*) { ApplyCurrentLanguage(); }

void TFormMain::FormClose(TComponent*, TCloseAction&) { FResourceLibrary.Unload(); }

void TFormMain::ApplyCurrentLanguage() {
  if (FModule.Translator != nullptr && OrvRegistryData != nullptr)
    FModule.Translator->SetLanguage(OrvRegistryData->GetIntData(kLanguageValue));
  ApplyLanguage(FModule, this, FConfigWindow);
  if (FModule.OrvConnection != nullptr && FModule.OrvConnection->IsLoaded()) {
    LMDStatusBarMain->Panels(0).SetText(FModule.IsLinkOpen() ? FModule.Texts.TextConnected
                                                             : FModule.Texts.TextNotConnected);
  }
  LayoutLabels();
}

void TFormMain::LayoutLabels() {
  int widest = 0;
  std::vector<TCustomLabel*> labels;
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* label = dynamic_cast<TCustomLabel*>(Components(i))) {
      labels.push_back(label);
      widest = std::max(widest, label->Width());
    }
  }
  const int left = MainLabelsLeft(Width(), BitBtnConfig->Width(), widest, ScrollLingue->Width());
  for (TCustomLabel* label : labels) label->SetLeft(left);
}

void TFormMain::ToolButtonLingueClick(TComponent* sender) {
  if (sender == nullptr) return;
  if (OrvRegistryData != nullptr) OrvRegistryData->SetIntData(kLanguageValue, static_cast<int>(sender->Tag));
  ApplyCurrentLanguage();
  const bool open = FModule.IsLinkOpen();
  const std::string& text = open ? FModule.Texts.TextConnected : FModule.Texts.TextNotConnected;
  if (FConfigWindow != nullptr) FConfigWindow->SetConnectionText(text);
  LMDStatusBarMain->Panels(0).SetText(text);
}

void TFormMain::ActionConfVettExecute(TComponent*) {
  if (FModule.DataRefresher != nullptr) FModule.DataRefresher->SetEnabled(true);
  if (FConfigWindow != nullptr) FConfigWindow->ShowModal();
  if (FModule.DataRefresher != nullptr) FModule.DataRefresher->SetEnabled(false);
}

void TFormMain::RunFileCommand(bool save) {
  std::string fileName;
  const bool chosen =
      save ? Dialogs().SaveFileDialog(SaveDialogFile, fileName) : Dialogs().OpenFileDialog(OpenDialogFile, fileName);
  if (!chosen || fileName.empty()) return;
  const bool wasEnabled = FModule.DataRefresher != nullptr && FModule.DataRefresher->Enabled();
  if (!FModule.StopRefresh()) return;
  if (save)
    FModule.SaveConfiguration(fileName);
  else
    FModule.LoadConfiguration(fileName);
  if (FModule.DataRefresher != nullptr) FModule.DataRefresher->SetEnabled(wasEnabled);
}

void TFormMain::ActionSalvaFileExecute(TComponent*) { RunFileCommand(true); }

void TFormMain::ActionCaricaFileExecute(TComponent*) { RunFileCommand(false); }

void TFormMain::ActionSoftwareExecute(TComponent*) {}

void TFormMain::ActionEsciExecute(TComponent*) { Close(); }

void TFormMain::ActionConnectExecute(TComponent*) {
  const int result = FModule.Connect(4, 0);
  if (result == paramset::kConnectNoAnswer) {
    Dialogs().MessageBox(FModule.Texts.TextCommError1 + "\n" + FModule.Texts.TextCommError2 + "\n(ERR.CODE: C01)",
                         Caption(), TMsgDlgType::mtError, mbOK);
  } else if (result == paramset::kConnectBadAnswer) {
    Dialogs().MessageBox(FModule.Texts.TextBadAnswer, Caption(), TMsgDlgType::mtError, mbOK);
  }
}

void TFormMain::ActionDisconnectExecute(TComponent*) {
  link::TOrvConnection* connection = FModule.OrvConnection;
  if (connection == nullptr || !connection->IsLoaded()) return;
  std::lock_guard lock(connection->Lock());
  if (plugins::IOrvLibrary* library = connection->Library(); library != nullptr && library->IsLinkOpen() != 0)
    library->CloseLink();
}

void TFormMain::ActionAboutExecute(TComponent*) {
  std::unique_ptr<TAboutBox> box = std::make_unique<TAboutBox>(this, *this);
  if (OnAboutBoxCreated) OnAboutBoxCreated(*box);
  box->ShowModal();
}

void TFormMain::WndProc(TMessage& message) {
  if (message.Msg == WM_LINKCHANGED) {
    LinkChanged(message.LParam);
    return;
  }
  TForm::WndProc(message);
}

void TFormMain::LinkChanged(std::intptr_t state) {
  TStatusPanel& status = LMDStatusBarMain->Panels(0);
  TStatusPanel& port = LMDStatusBarMain->Panels(1);
  if (state == 1) {
    ActionConnect->SetEnabled(false);
    ActionDisconnect->SetEnabled(true);
    status.SetText(FModule.Texts.TextConnected);
    status.Font().SetColor(kColorConnected);
    int index = -1;
    if (FModule.OrvConnection != nullptr && FModule.OrvConnection->IsLoaded()) {
      std::lock_guard lock(FModule.OrvConnection->Lock());
      if (plugins::IOrvLibrary* library = FModule.OrvConnection->Library()) index = library->GetPort();
    }
    port.SetText(PortStatusText(index));
    LMDStatusBarMain->Repaint();
  } else if (state == 0) {
    ActionConnect->SetEnabled(true);
    ActionDisconnect->SetEnabled(false);
    status.SetText(FModule.Texts.TextNotConnected);
    status.Font().SetColor(kColorNotConnected);
    port.SetText("");
    LMDStatusBarMain->Repaint();
  }
  Repaint();
}

}  // namespace orv::app
