#include "orv/paramset/Dati.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orv/i18n/Registration.h"
#include "orv/i18n/Translator.h"
#include "orv/items/Itemsregistry.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Datarefresher.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Attesa.h"
#include "orv/paramset/Catalogue.h"
#include "orv/paramset/Configwindowhooks.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Description.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Messages.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {

using items::TOrvNumber;
using items::TOrvPacketData;
using items::TOrvSerialData;
using platform::TComponent;

// ---------------------------------------------------------------- construction

namespace {

void RegisterModuleClass(platform::TClassRegistry& registry) {
  using M = TSerialDataModule;
  using N = items::TNotifyEvent;
  using U = items::TConvertToUserEvent;
  using E = items::TConvertToEcuEvent;
  auto notify = [](void (M::*fn)(TComponent*)) {
    return std::function<N(M&)>([fn](M& m) { return N([&m, fn](TComponent* s) { (m.*fn)(s); }); });
  };
  auto toUser = [](void (M::*fn)(TComponent*, int, double&)) {
    return std::function<U(M&)>(
        [fn](M& m) { return U([&m, fn](TComponent* s, int e, double& v) { (m.*fn)(s, e, v); }); });
  };
  auto toEcu = [](void (M::*fn)(TComponent*, double, int&)) {
    return std::function<E(M&)>(
        [fn](M& m) { return E([&m, fn](TComponent* s, double u, int& v) { (m.*fn)(s, u, v); }); });
  };
  platform::TClassBuilder<M>(registry, "TSerialDataModule", "", false)
      .Method<N>("TIPO_ACCENSIONEGetData", notify(&M::TIPO_ACCENSIONEGetData))
      .Method<N>("TIPO_ACCENSIONESetData", notify(&M::TIPO_ACCENSIONESetData))
      .Method<N>("TIPO_TPSSetData", notify(&M::TIPO_TPSSetData))
      .Method<N>("TIPO_SONDA_LAMBDASetData", notify(&M::TIPO_SONDA_LAMBDASetData))
      .Method<N>("MASSIMA_APERTURA_ATTUATORESetData", notify(&M::MASSIMA_APERTURA_ATTUATORESetData))
      .Method<N>("FLAG_GONFIGURAZIONESetData", notify(&M::FLAG_GONFIGURAZIONESetData))
      .Method<N>("RifLambdaAlMinimoSetData", notify(&M::RifLambdaAlMinimoSetData))
      .Method<N>("VAL_GIRIGetData", notify(&M::VAL_GIRIGetData))
      .Method<N>("FASCIA_TPSGetData", notify(&M::FASCIA_TPSGetData))
      .Method<N>("FASCIA_LAMBDAGetData", notify(&M::FASCIA_LAMBDAGetData))
      .Method<U>("PosizioneASondaFreddaConvertToUser", toUser(&M::PosizioneASondaFreddaConvertToUser))
      .Method<E>("PosizioneASondaFreddaConvertToEcu", toEcu(&M::PosizioneASondaFreddaConvertToEcu))
      .Method<U>("FLAG_CONFIGURAZIONE_3ConvertToUser", toUser(&M::FLAG_CONFIGURAZIONE_3ConvertToUser))
      .Method<E>("FLAG_CONFIGURAZIONE_3ConvertToEcu", toEcu(&M::FLAG_CONFIGURAZIONE_3ConvertToEcu));
}

template <class T>
void Bind(TComponent& module, T*& member, const char* name) {
  member = dynamic_cast<T*>(module.FindComponent(name));
}

}  // namespace

std::unique_ptr<platform::TClassRegistry> TSerialDataModule::MakeRegistry() {
  auto registry = std::make_unique<platform::TClassRegistry>();
  items::RegisterItemClasses(*registry);
  link::RegisterLinkClasses(*registry);
  i18n::RegisterI18nClasses(*registry);
  RegisterModuleClass(*registry);
  return registry;
}

TSerialDataModule::TSerialDataModule(TComponent* owner) : TSerialDataModule(owner, SerialDataModuleDescription()) {}

TSerialDataModule::TSerialDataModule(TComponent* owner, std::string_view description) : TComponent(owner) {
  SetName("SerialDataModule");
  ReadCatalogue(description);
}

TSerialDataModule::~TSerialDataModule() {
  Disconnect(true);
  FClosing = true;
  FConfigWindow = nullptr;
  FFormAttesa = nullptr;
  FOwnWaitWindow.reset();
  // The components go before the members their handlers use.
  DestroyComponents();
}

void TSerialDataModule::ReadCatalogue(std::string_view description) {
  const std::unique_ptr<platform::TClassRegistry> registry = MakeRegistry();
  platform::ReadDescription(*this, description, *registry);
  BindMembers();
}

void TSerialDataModule::BindMembers() {
  TComponent& m = *this;
  Bind(m, OrvConnection, "OrvConnection");
  Bind(m, DataRefresher, "DataRefresher");
  Bind(m, Translator, "Translator");
#define ORV_BIND(name) Bind(m, name, #name)
  ORV_BIND(TIPO_ACCENSIONE);
  ORV_BIND(TIPO_SEGNALE_GIRI);
  ORV_BIND(TIPO_CAMBIO);
  ORV_BIND(TEMPO_SOVRAPPOSIZIONE);
  ORV_BIND(TIPO_TPS);
  ORV_BIND(TIPO_SONDA_LAMBDA);
  ORV_BIND(RITARDO_LETTURA_SONDA);
  ORV_BIND(MASSIMA_APERTURA_ATTUATORE);
  ORV_BIND(MINIMA_APERTURA_ATTUATORE);
  ORV_BIND(FLAG_GONFIGURAZIONE);
  ORV_BIND(POSIZIONE_IN_AFFONDATA);
  ORV_BIND(TPS_PER_AFFONDATA);
  ORV_BIND(POSIZIONE_IN_CUTOFF);
  ORV_BIND(POSIZIONE_DEFAULT);
  ORV_BIND(FLAG_CONFIGURAZIONE_2);
  ORV_BIND(ISTERESI_MINIMO_TPS);
  ORV_BIND(CHECKUP);
  ORV_BIND(VALORE_LAMBDA);
  ORV_BIND(TEMPERATURA_PER_CAMBIO);
  ORV_BIND(VALOR_TPS);
  ORV_BIND(VALORE_MINIMO_TPS);
  ORV_BIND(POSIZIONE_ATTUATORE);
  ORV_BIND(VALORE_POSIZIONE_DEFAULT);
  ORV_BIND(FASCIA_TPS);
  ORV_BIND(FASCIA_LAMBDA);
  ORV_BIND(TIPO_COMMUTATORE);
  ORV_BIND(RIPROGRAMMAZIONE);
  ORV_BIND(VAL_TEMPERATURA);
  ORV_BIND(VAL_GIRI);
  ORV_BIND(GiriPerCambio);
  ORV_BIND(GiriSbananata);
  ORV_BIND(GiriCutOff);
  ORV_BIND(GiriFuoriGiri);
  ORV_BIND(TipoSensore);
  ORV_BIND(NUMERO_VOLTE_ALTO);
  ORV_BIND(NUVERO_VOLTE_BASSO);
  ORV_BIND(NUMERO_VOLTE_TRI);
  ORV_BIND(NUMERO_RIPETIZIONI_ONDA);
  ORV_BIND(NUMERO_RIPETIZIONI_TRI);
  ORV_BIND(RifLambdaAlMinimo);
  ORV_BIND(RifLambdaFuoriMinimo);
  ORV_BIND(RifLambdaRiccoFreddo);
  ORV_BIND(TIPO_EMULAZIONE);
  ORV_BIND(AperturaSfigFuoriMin);
  ORV_BIND(FLAG_CONFIGURAZIONE_3);
  ORV_BIND(AperturaSfigFuoriMinEco);
  ORV_BIND(TPSFasciaApprendimento);
  ORV_BIND(PosizioneASondaFredda);
  ORV_BIND(RifLambdaInPotenza);
  ORV_BIND(TempoTraTestMagroPower);
  ORV_BIND(NPassiPrimoMagroPower);
  ORV_BIND(NPassiTestMagroPower);
  ORV_BIND(TPSSbananata);
  ORV_BIND(OrvNumberTPSRif2);
  ORV_BIND(PosizioneInOpenLoop);
  ORV_BIND(VelIngrMinimo);
  ORV_BIND(VelSmagrMinimo);
  ORV_BIND(VelIngrCrociera);
  ORV_BIND(VelSmagrCrociera);
  ORV_BIND(MinimaAperturaAlMinimo);
  ORV_BIND(MassimaAperturaAlMinimo);
  ORV_BIND(MinimaAperturaInCrociera);
  ORV_BIND(MassimaAperturaInCrociera);
  ORV_BIND(FrazDefEntroMinimo);
  ORV_BIND(FrazDefEscoMinimo);
  ORV_BIND(ValoreMinimoTPS);
  ORV_BIND(RitardoSmagrPrimoGrasso);
  ORV_BIND(NPassiPrimoMagroCrociera);
  ORV_BIND(OrvNumberVelSmagrSbana);
  ORV_BIND(OrvNumberVelIngrSbana);
  ORV_BIND(VelocitaFuga);
  ORV_BIND(MinAperturaInFuga);
  ORV_BIND(MaxAperturaInFuga);
#undef ORV_BIND
}

void TSerialDataModule::Notification(TComponent* component, platform::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FFormAttesa) FFormAttesa = nullptr;
  if (component == OrvConnection) OrvConnection = nullptr;
  if (component == DataRefresher) DataRefresher = nullptr;
  if (component == Translator) Translator = nullptr;
}

// ---------------------------------------------------------------- wait window

void TSerialDataModule::OpenWaitWindow(const std::string& caption, const std::string& message) {
  CloseWaitWindow();
  platform::Screen().SetCursor(platform::crAppStart);
  // Owned here but kept out of the component list, so the whole-set
  // operations see the catalogue alone.
  FOwnWaitWindow = std::make_unique<TFormAttesa>(nullptr, OrvConnection);
  SetFormAttesa(FOwnWaitWindow.get());
  if (OnWaitWindowCreated) OnWaitWindowCreated(*FOwnWaitWindow);
  FOwnWaitWindow->SetAnimationActive(true);
  FOwnWaitWindow->SetCaption(caption);
  FOwnWaitWindow->SetMessage(message);
  FOwnWaitWindow->SetTextCompleted(Texts.TextCompleted);
  FOwnWaitWindow->SetProgress(0, true);
  FOwnWaitWindow->Show();
}

void TSerialDataModule::SetWaitProgress(std::uint8_t percent, bool absolute) {
  if (FFormAttesa != nullptr) FFormAttesa->SetProgress(percent, absolute);
}

void TSerialDataModule::CloseWaitWindow() {
  SetFormAttesa(nullptr);
  FOwnWaitWindow.reset();
  platform::Screen().SetCursor(platform::crDefault);
}

void TSerialDataModule::SetFormAttesa(TFormAttesa* window) {
  if (FFormAttesa == window) return;
  if (FFormAttesa != nullptr) RemoveFreeNotification(FFormAttesa);
  FFormAttesa = window;
  if (FFormAttesa != nullptr) FreeNotification(FFormAttesa);
}

// ---------------------------------------------------------------- operations

bool TSerialDataModule::IsLinkOpen() const {
  if (OrvConnection == nullptr || !OrvConnection->IsLoaded() || OrvConnection->Library() == nullptr) return false;
  std::lock_guard<std::recursive_mutex> lock(OrvConnection->Lock());
  return OrvConnection->Library()->IsLinkOpen() != 0;
}

int TSerialDataModule::Connect(int port, int flags) {
  if (IsLinkOpen()) return kConnectAlreadyOpen;
  if (OrvConnection == nullptr || !OrvConnection->LoadDll()) return kConnectAnswered;

  OpenWaitWindow(Texts.TextWaitCaption, Texts.TextWaitMessage);

  int result = kConnectAnswered;
  bool accepted = false;
  plugins::IOrvLibrary* library = OrvConnection->Library();
  {
    std::lock_guard<std::recursive_mutex> lock(OrvConnection->Lock());
    library->SetLinkOption(0);
    library->SelectPort(port);
    if ((flags & kConnectModeB) != 0) {
      library->SelectModeB();
    } else {
      library->SelectModeA();
    }
    library->SetProtocolOption(0);
    EcuIdentity = {};
    if (!library->Identify(&EcuIdentity)) {
      result = kConnectNoAnswer;
    } else {
      const TEcuIdentification id = DecodeEcuIdentity(EcuIdentity);
      if (!id.Answered()) {
        result = kConnectBadAnswer;
      } else if (id.Compatible()) {
        accepted = library->OpenLink() != 0;
      }
    }
  }

  if (accepted) {
    ReadAll();
    ActivateLiveValues();
    if (DataRefresher != nullptr) DataRefresher->SetEnabled((flags & kConnectKeepRefresher) != 0);
    CloseWaitWindow();
  } else {
    CloseWaitWindow();
    Disconnect(false);
  }
  return result;
}

void TSerialDataModule::Disconnect(bool refresherEnabled) {
  if (OrvConnection != nullptr && OrvConnection->IsLoaded() && OrvConnection->Library() != nullptr) {
    {
      std::lock_guard<std::recursive_mutex> lock(OrvConnection->Lock());
      OrvConnection->Library()->CloseLink();
    }
    OrvConnection->UnloadDll();
  }
  if (DataRefresher != nullptr) DataRefresher->SetEnabled(refresherEnabled);
}

void TSerialDataModule::ReadAll() {
  const int n = ComponentCount();
  for (int i = 0; i < n && i < ComponentCount(); ++i) {
    if (FFormAttesa != nullptr && FFormAttesa->Visible()) {
      FFormAttesa->SetProgress(static_cast<std::uint8_t>(i * 100 / n), true);
    }
    if (auto* item = dynamic_cast<TOrvSerialData*>(Components(i))) item->Load();
  }
}

void TSerialDataModule::ActivateLiveValues() {
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (auto* packet = dynamic_cast<TOrvPacketData*>(Components(i))) packet->SetActive(true);
  }
}

bool TSerialDataModule::StopRefresh() {
  if (DataRefresher == nullptr) return true;
  DataRefresher->SetEnabled(false);
  platform::IClock& clock = platform::Clock();
  const std::uint32_t t0 = clock.TickCount();
  // Reading Enabled runs the main thread's pending work, so a pass the worker
  // is handing over completes and the worker can wait. The elapsed time is
  // taken in unsigned arithmetic so a wrap of the tick count does not end
  // the wait early or make it endless.
  while (DataRefresher->Enabled()) {
    if (static_cast<std::uint32_t>(clock.TickCount() - t0) > 2000u) break;
    clock.Sleep(1);
  }
  if (DataRefresher->Enabled()) {
    platform::Dialogs().MessageBox("Error: it's impossible to suspend the thread (33)", "Comunication Error",
                                   platform::TMsgDlgType::mtError, platform::mbOK);
    return false;
  }
  return true;
}

void TSerialDataModule::ResetAllToDefaults() {
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < ComponentCount(); ++i) {
      auto* item = dynamic_cast<TOrvSerialData*>(Components(i));
      if (item == nullptr) continue;
      item->DisableLimits = true;
      item->ResetDefault(false);
      item->DisableLimits = false;
    }
  }
}

void TSerialDataModule::ClearLiveValues() {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* item = dynamic_cast<TOrvSerialData*>(Components(i));
    if (item == nullptr) continue;
    item->DisableLimits = true;
    if (auto* packet = dynamic_cast<TOrvPacketData*>(item)) {
      const items::TransformationType kept = packet->Transformation;
      packet->Transformation = items::ttNone;
      packet->InitData(0.0);
      packet->Transformation = kept;
    }
    item->DisableLimits = false;
  }
}

void TSerialDataModule::NotifyAllControls() {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* item = dynamic_cast<TOrvSerialData*>(Components(i))) item->NotifyData(platform::WM_DATACHANGED, 0, 0);
  }
}

bool TSerialDataModule::SaveConfiguration(const std::string& fileName) {
  return paramset::SaveConfiguration(*this, fileName);
}

bool TSerialDataModule::LoadConfiguration(const std::string& fileName) {
  return paramset::LoadConfiguration(*this, fileName);
}

std::string TSerialDataModule::Text(int stringId) {
  return Translator != nullptr ? Translator->GetString(stringId) : std::string();
}

// ---------------------------------------------------------------- handlers

void TSerialDataModule::SetRpmScale(int ignitionType) {
  const double scale = RpmScaleForIgnition(ignitionType);
  for (TOrvSerialData* item :
       std::initializer_list<TOrvSerialData*>{VAL_GIRI, GiriPerCambio, GiriSbananata, GiriCutOff, GiriFuoriGiri}) {
    if (item != nullptr) item->CoeffB = scale;
  }
}

void TSerialDataModule::TIPO_ACCENSIONEGetData(TComponent*) {
  if (FClosing || TIPO_ACCENSIONE == nullptr) return;
  SetRpmScale(TIPO_ACCENSIONE->GetInt());
}

void TSerialDataModule::TIPO_ACCENSIONESetData(TComponent*) {
  if (FClosing || TIPO_ACCENSIONE == nullptr || GiriPerCambio == nullptr || GiriSbananata == nullptr ||
      GiriCutOff == nullptr || GiriFuoriGiri == nullptr) {
    return;
  }
  // The thresholds keep their RPM values and are written again in the new
  // scale.
  const int perCambio = GiriPerCambio->GetInt();
  const int sbananata = GiriSbananata->GetInt();
  const int cutOff = GiriCutOff->GetInt();
  const int fuoriGiri = GiriFuoriGiri->GetInt();
  SetRpmScale(TIPO_ACCENSIONE->GetInt());
  platform::Clock().Sleep(1000);
  GiriSbananata->SetInt(sbananata);
  GiriCutOff->SetInt(cutOff);
  // Its factory value lies above its user limit and must survive.
  GiriFuoriGiri->DisableLimits = true;
  GiriFuoriGiri->SetInt(fuoriGiri);
  GiriFuoriGiri->DisableLimits = false;
  GiriPerCambio->SetInt(perCambio);
}

void TSerialDataModule::TIPO_TPSSetData(TComponent*) {
  if (FClosing || TIPO_TPS == nullptr) return;
  const int type = TIPO_TPS->GetInt();
  const bool inverted = type == 1 || type == 3;
  const double a = inverted ? -5.0 : 5.0;
  const double b = inverted ? 1275.0 : 0.0;
  for (TOrvSerialData* item : std::initializer_list<TOrvSerialData*>{VALORE_MINIMO_TPS, TPS_PER_AFFONDATA, TPSSbananata,
                                                                     TPSFasciaApprendimento}) {
    if (item == nullptr) continue;
    item->CoeffA = a;
    item->CoeffB = b;
  }
  for (TOrvNumber* item : {TPS_PER_AFFONDATA, TPSSbananata, TPSFasciaApprendimento}) {
    if (item != nullptr) item->Load();
  }
}

void TSerialDataModule::TIPO_SONDA_LAMBDASetData(TComponent*) {
  if (FClosing || FLAG_CONFIGURAZIONE_3 == nullptr) return;
  FLAG_CONFIGURAZIONE_3->Load();
}

void TSerialDataModule::MASSIMA_APERTURA_ATTUATORESetData(TComponent*) {
  if (FClosing) return;
  platform::Clock().Sleep(100);
  if (MASSIMA_APERTURA_ATTUATORE == nullptr || MINIMA_APERTURA_ATTUATORE == nullptr || POSIZIONE_IN_CUTOFF == nullptr ||
      POSIZIONE_DEFAULT == nullptr) {
    return;
  }
  const int massima = MASSIMA_APERTURA_ATTUATORE->GetInt();
  POSIZIONE_IN_CUTOFF->SetMaxValue(massima);
  POSIZIONE_DEFAULT->SetMaxValue(massima);
  POSIZIONE_DEFAULT->SetMinValue(MINIMA_APERTURA_ATTUATORE->GetInt());
  POSIZIONE_DEFAULT->Load();
}

void TSerialDataModule::FLAG_GONFIGURAZIONESetData(TComponent*) {
  if (FClosing) return;
  if (FConfigWindow != nullptr) FConfigWindow->UpdateFlagOptions();
  if (POSIZIONE_DEFAULT != nullptr) POSIZIONE_DEFAULT->Load();
}

void TSerialDataModule::RifLambdaAlMinimoSetData(TComponent*) {
  if (FClosing || RifLambdaAlMinimo == nullptr || RifLambdaFuoriMinimo == nullptr || RifLambdaRiccoFreddo == nullptr) {
    return;
  }
  RifLambdaRiccoFreddo->SetDouble(std::max(RifLambdaAlMinimo->GetDouble(), RifLambdaFuoriMinimo->GetDouble()));
}

void TSerialDataModule::VAL_GIRIGetData(TComponent*) {
  if (FClosing || VAL_GIRI == nullptr) return;
  if (VAL_GIRI->EcuValue <= 254) {
    VAL_GIRI->Transformation = items::ttFormula;
  } else {
    // No engine-speed period: the engine stands still.
    VAL_GIRI->Transformation = items::ttNone;
    VAL_GIRI->InitData(0.0);
  }
}

void TSerialDataModule::LightBand(int value, int count, bool tps) {
  if (FConfigWindow == nullptr || value < 0 || value >= count) return;
  for (int k = 0; k < count; ++k) {
    if (k == value) continue;
    if (tps) {
      FConfigWindow->SetTpsBand(k, 0);
    } else {
      FConfigWindow->SetLambdaBand(k, 0);
    }
  }
  if (tps) {
    FConfigWindow->SetTpsBand(value, 100);
  } else {
    FConfigWindow->SetLambdaBand(value, 100);
  }
}

void TSerialDataModule::FASCIA_TPSGetData(TComponent*) {
  if (FClosing || FASCIA_TPS == nullptr) return;
  LightBand(FASCIA_TPS->GetInt(), 4, true);
}

void TSerialDataModule::FASCIA_LAMBDAGetData(TComponent*) {
  if (FClosing || FASCIA_LAMBDA == nullptr) return;
  LightBand(FASCIA_LAMBDA->GetInt(), 3, false);
}

void TSerialDataModule::PosizioneASondaFreddaConvertToUser(TComponent*, int ecuValue, double& convertedValue) {
  convertedValue = SignMagnitudeToUser(ecuValue);
}

void TSerialDataModule::PosizioneASondaFreddaConvertToEcu(TComponent*, double userValue, int& convertedValue) {
  convertedValue = SignMagnitudeToEcu(userValue);
}

void TSerialDataModule::FLAG_CONFIGURAZIONE_3ConvertToUser(TComponent*, int ecuValue, double& convertedValue) {
  convertedValue = InvertedBit4ToUser(ecuValue);
}

void TSerialDataModule::FLAG_CONFIGURAZIONE_3ConvertToEcu(TComponent*, double userValue, int& convertedValue) {
  convertedValue = InvertedBit4ToEcu(userValue);
}

}  // namespace orv::paramset
