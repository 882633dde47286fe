#pragma once
// TSerialDataModule: the data module. It owns the whole parameter set of the
// ECU (64 parameters and 9 live values), the connection to the communication
// library, the live-data refresher and the translator, all created from the
// stored catalogue description in their catalogue order. Its handler methods
// tie dependent parameters together (RPM scale, throttle coefficients,
// actuator limits, band indicators, sign-and-magnitude and inverted-flag
// conversions); its whole-set operations connect, read, reset and blank the
// set. Adding a parameter means adding an object to the description: the
// operations walk the owned components.
//
// Ownership: every component of the description is owned by the module. The
// wait window the module opens is owned by the module too (outside the
// component list); a wait window opened by someone else is only referenced,
// and the reference is cleared when that window is destroyed.
//
// Thread: user-interface thread only. Pauses (1000 ms after an ignition-type
// write, 100 ms in the actuator-limit handler, up to 2000 ms in StopRefresh)
// go through platform::Clock(); messages through platform::Dialogs(); the
// cursor through platform::Screen().

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "orv/i18n/Messagetexts.h"
#include "orv/paramset/Catalogue.h"
#include "orv/paramset/Configfile.h"
#include "orv/platform/Component.h"
#include "orv/plugins/Commlibrary.h"

namespace orv::platform {
class TClassRegistry;
}
namespace orv::items {
class TOrvNumber;
class TOrvPacketData;
}  // namespace orv::items
namespace orv::link {
class TOrvConnection;
class TDataRefresher;
}  // namespace orv::link
namespace orv::i18n {
class TTranslator;
}

namespace orv::paramset {

class IConfigWindowHooks;
class TFormAttesa;

// Connect's results.
inline constexpr int kConnectAlreadyOpen = 1;
inline constexpr int kConnectAnswered = 0;  // or no library
inline constexpr int kConnectNoAnswer = -1;
inline constexpr int kConnectBadAnswer = -2;

// Connect's flags.
inline constexpr int kConnectModeB = 1;
inline constexpr int kConnectKeepRefresher = 2;

class TSerialDataModule : public platform::TComponent, public IConfigFileHost {
 public:
  // Reads the catalogue description (a registry with every layer's classes).
  // Throws platform::TDescriptionError when the description is refused.
  explicit TSerialDataModule(platform::TComponent* owner = nullptr);
  // Reads another description of the same kind (tests, variants).
  TSerialDataModule(platform::TComponent* owner, std::string_view description);
  // Disconnect(true), then the components are freed.
  ~TSerialDataModule() override;

  const char* ClassName() const override { return "TSerialDataModule"; }

  // A registry holding the classes of every layer the description uses and
  // this module's class with its handler methods.
  static std::unique_ptr<platform::TClassRegistry> MakeRegistry();

  // ---- Whole-set operations ----

  // Opens the link: 1 already open; 0 no library, or the identification was
  // answered (the link is open only for the compatible ECU whose OpenLink
  // succeeded); -1 no answer; -2 an unexpected kind of answer. port: 0 to 3
  // COM1 to COM4, 4 USB. flags: kConnectModeB, kConnectKeepRefresher.
  int Connect(int port, int flags);
  // Closes the link and unloads the library when loaded; then the refresher
  // is enabled or not as asked.
  void Disconnect(bool refresherEnabled);
  // Reads every item from the ECU in catalogue order, moving the wait
  // window's bar (position i * 100 / components).
  void ReadAll();
  // Activates every live value, last component first.
  void ActivateLiveValues();
  // Stops the refresher and waits (processing the main thread's work) up to
  // 2000 ms for its worker to wait. False, after an error message, when it
  // does not; the refresher stays asked to stop.
  bool StopRefresh();
  // Every item takes its default, without writing to the ECU; afterwards
  // every item's DisableLimits is false.
  void ResetAllToDefaults() override;
  // Every live value shows raw 0 (its conversion unchanged).
  void ClearLiveValues();
  // Every bound control redisplays (message 33139 with 0 from each item).
  void NotifyAllControls();
  // Configuration files (see Configfile.h).
  bool SaveConfiguration(const std::string& fileName);
  bool LoadConfiguration(const std::string& fileName);

  // True when the library is loaded and reports the link open.
  bool IsLinkOpen() const;

  // ---- Wait window ----

  // The wait window while one is shown, else null.
  TFormAttesa* FormAttesa() const { return FFormAttesa; }
  // Opens a wait window owned by the module (cursor busy, animation on,
  // caption, message, progress 0, shown and painted) and references it; an
  // earlier one of the module's own is freed first.
  void OpenWaitWindow(const std::string& caption, const std::string& message) override;
  void SetWaitProgress(std::uint8_t percent, bool absolute) override;
  // Frees the module's own wait window (or forgets another's), cursor back
  // to default.
  void CloseWaitWindow() override;
  // References a wait window someone else owns (the configuration window's
  // erase); null forgets it. The reference is cleared when it is destroyed.
  void SetFormAttesa(TFormAttesa* window);
  // Called with every wait window the module creates, before it is shown,
  // so that the program can attach a renderer.
  std::function<void(TFormAttesa&)> OnWaitWindowCreated;

  // ---- Configuration window ----

  // Attaches the configuration window (not owned; null detaches).
  void SetConfigWindowHooks(IConfigWindowHooks* hooks) { FConfigWindow = hooks; }
  IConfigWindowHooks* ConfigWindowHooks() const { return FConfigWindow; }

  // ---- Data ----

  // Filled by Connect's identification.
  plugins::EcuIdentity EcuIdentity;
  // The nine shared texts, filled by the language application.
  i18n::TMessageTexts Texts;

  // ---- Components by name (null when the description lacks one) ----
  link::TOrvConnection* OrvConnection = nullptr;
  link::TDataRefresher* DataRefresher = nullptr;
  i18n::TTranslator* Translator = nullptr;

  items::TOrvNumber* TIPO_ACCENSIONE = nullptr;
  items::TOrvNumber* TIPO_SEGNALE_GIRI = nullptr;
  items::TOrvNumber* TIPO_CAMBIO = nullptr;
  items::TOrvNumber* TEMPO_SOVRAPPOSIZIONE = nullptr;
  items::TOrvNumber* TIPO_TPS = nullptr;
  items::TOrvNumber* TIPO_SONDA_LAMBDA = nullptr;
  items::TOrvNumber* RITARDO_LETTURA_SONDA = nullptr;
  items::TOrvNumber* MASSIMA_APERTURA_ATTUATORE = nullptr;
  items::TOrvNumber* MINIMA_APERTURA_ATTUATORE = nullptr;
  items::TOrvNumber* FLAG_GONFIGURAZIONE = nullptr;
  items::TOrvNumber* POSIZIONE_IN_AFFONDATA = nullptr;
  items::TOrvNumber* TPS_PER_AFFONDATA = nullptr;
  items::TOrvNumber* POSIZIONE_IN_CUTOFF = nullptr;
  items::TOrvNumber* POSIZIONE_DEFAULT = nullptr;
  items::TOrvNumber* FLAG_CONFIGURAZIONE_2 = nullptr;
  items::TOrvNumber* ISTERESI_MINIMO_TPS = nullptr;
  items::TOrvNumber* CHECKUP = nullptr;
  items::TOrvPacketData* VALORE_LAMBDA = nullptr;
  items::TOrvNumber* TEMPERATURA_PER_CAMBIO = nullptr;
  items::TOrvPacketData* VALOR_TPS = nullptr;
  items::TOrvPacketData* VALORE_MINIMO_TPS = nullptr;
  items::TOrvPacketData* POSIZIONE_ATTUATORE = nullptr;
  items::TOrvPacketData* VALORE_POSIZIONE_DEFAULT = nullptr;
  items::TOrvPacketData* FASCIA_TPS = nullptr;
  items::TOrvPacketData* FASCIA_LAMBDA = nullptr;
  items::TOrvNumber* TIPO_COMMUTATORE = nullptr;
  items::TOrvNumber* RIPROGRAMMAZIONE = nullptr;
  items::TOrvPacketData* VAL_TEMPERATURA = nullptr;
  items::TOrvPacketData* VAL_GIRI = nullptr;
  items::TOrvNumber* GiriPerCambio = nullptr;
  items::TOrvNumber* GiriSbananata = nullptr;
  items::TOrvNumber* GiriCutOff = nullptr;
  items::TOrvNumber* GiriFuoriGiri = nullptr;
  items::TOrvNumber* TipoSensore = nullptr;
  items::TOrvNumber* NUMERO_VOLTE_ALTO = nullptr;
  items::TOrvNumber* NUVERO_VOLTE_BASSO = nullptr;
  items::TOrvNumber* NUMERO_VOLTE_TRI = nullptr;
  items::TOrvNumber* NUMERO_RIPETIZIONI_ONDA = nullptr;
  items::TOrvNumber* NUMERO_RIPETIZIONI_TRI = nullptr;
  items::TOrvNumber* RifLambdaAlMinimo = nullptr;
  items::TOrvNumber* RifLambdaFuoriMinimo = nullptr;
  items::TOrvNumber* RifLambdaRiccoFreddo = nullptr;
  items::TOrvNumber* TIPO_EMULAZIONE = nullptr;
  items::TOrvNumber* AperturaSfigFuoriMin = nullptr;
  items::TOrvNumber* FLAG_CONFIGURAZIONE_3 = nullptr;
  items::TOrvNumber* AperturaSfigFuoriMinEco = nullptr;
  items::TOrvNumber* TPSFasciaApprendimento = nullptr;
  items::TOrvNumber* PosizioneASondaFredda = nullptr;
  items::TOrvNumber* RifLambdaInPotenza = nullptr;
  items::TOrvNumber* TempoTraTestMagroPower = nullptr;
  items::TOrvNumber* NPassiPrimoMagroPower = nullptr;
  items::TOrvNumber* NPassiTestMagroPower = nullptr;
  items::TOrvNumber* TPSSbananata = nullptr;
  items::TOrvNumber* OrvNumberTPSRif2 = nullptr;
  items::TOrvNumber* PosizioneInOpenLoop = nullptr;
  items::TOrvNumber* VelIngrMinimo = nullptr;
  items::TOrvNumber* VelSmagrMinimo = nullptr;
  items::TOrvNumber* VelIngrCrociera = nullptr;
  items::TOrvNumber* VelSmagrCrociera = nullptr;
  items::TOrvNumber* MinimaAperturaAlMinimo = nullptr;
  items::TOrvNumber* MassimaAperturaAlMinimo = nullptr;
  items::TOrvNumber* MinimaAperturaInCrociera = nullptr;
  items::TOrvNumber* MassimaAperturaInCrociera = nullptr;
  items::TOrvNumber* FrazDefEntroMinimo = nullptr;
  items::TOrvNumber* FrazDefEscoMinimo = nullptr;
  items::TOrvNumber* ValoreMinimoTPS = nullptr;
  items::TOrvNumber* RitardoSmagrPrimoGrasso = nullptr;
  items::TOrvNumber* NPassiPrimoMagroCrociera = nullptr;
  items::TOrvNumber* OrvNumberVelSmagrSbana = nullptr;
  items::TOrvNumber* OrvNumberVelIngrSbana = nullptr;
  items::TOrvNumber* VelocitaFuga = nullptr;
  items::TOrvNumber* MinAperturaInFuga = nullptr;
  items::TOrvNumber* MaxAperturaInFuga = nullptr;

  // ---- Handlers, bound by name from the description ----
  void TIPO_ACCENSIONEGetData(platform::TComponent* sender);
  void TIPO_ACCENSIONESetData(platform::TComponent* sender);
  void TIPO_TPSSetData(platform::TComponent* sender);
  void TIPO_SONDA_LAMBDASetData(platform::TComponent* sender);
  void MASSIMA_APERTURA_ATTUATORESetData(platform::TComponent* sender);
  void FLAG_GONFIGURAZIONESetData(platform::TComponent* sender);
  void RifLambdaAlMinimoSetData(platform::TComponent* sender);
  void VAL_GIRIGetData(platform::TComponent* sender);
  void FASCIA_TPSGetData(platform::TComponent* sender);
  void FASCIA_LAMBDAGetData(platform::TComponent* sender);
  void PosizioneASondaFreddaConvertToUser(platform::TComponent* sender, int ecuValue, double& convertedValue);
  void PosizioneASondaFreddaConvertToEcu(platform::TComponent* sender, double userValue, int& convertedValue);
  void FLAG_CONFIGURAZIONE_3ConvertToUser(platform::TComponent* sender, int ecuValue, double& convertedValue);
  void FLAG_CONFIGURAZIONE_3ConvertToEcu(platform::TComponent* sender, double userValue, int& convertedValue);

  // ---- IConfigFileHost ----
  platform::TComponent& Module() override { return *this; }
  std::string Text(int stringId) override;

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  void ReadCatalogue(std::string_view description);
  void BindMembers();
  void SetRpmScale(int ignitionType);
  void LightBand(int value, int count, bool tps);

  std::unique_ptr<TFormAttesa> FOwnWaitWindow;
  TFormAttesa* FFormAttesa = nullptr;
  IConfigWindowHooks* FConfigWindow = nullptr;
  bool FClosing = false;
};

}  // namespace orv::paramset
