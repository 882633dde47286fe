// The data module's handlers and whole-set operations on the simulated ECU
// with the link open.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "Modulefixture.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Datarefresher.h"
#include "orv/paramset/Attesa.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Messages.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {
namespace {

using items::TOrvNumber;
using items::TOrvPacketData;
using items::TOrvSerialData;

// Hands a live-data packet to a packet item as the refresher would: a
// 32-bit length word, then the packet bytes.
void Deliver(TOrvPacketData& item, int value) {
  std::uint8_t buffer[256] = {};
  buffer[4 + item.Offset] = static_cast<std::uint8_t>(value);
  item.UpdateData(buffer);
}

// A component that records the messages an item sends it.
class TListener : public platform::TComponent, public platform::IMessageTarget {
 public:
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override {
    Messages.push_back({msg, wparam, lparam});
    return 0;
  }
  struct TMsg {
    unsigned Msg;
    std::intptr_t W, L;
  };
  std::vector<TMsg> Messages;
};

class DataModule : public testing::ModuleFixture {};

// ---------------------------------------------------------------- RPM scale

TEST_F(DataModule, IgnitionTypeSetsTheScaleOfTheFiveRpmItems) {
  ConnectEcu();
  const std::pair<int, double> cases[] = {{1, 93600},  {2, 78000},  {6, 78000},  {3, 58500},
                                          {0, 117000}, {5, 117000}, {7, 117000}, {4, 117000}};
  for (const auto& [type, scale] : cases) {
    ASSERT_TRUE(Module->TIPO_ACCENSIONE->SetInt(type));
    for (TOrvSerialData* item :
         {static_cast<TOrvSerialData*>(Module->VAL_GIRI), static_cast<TOrvSerialData*>(Module->GiriPerCambio),
          static_cast<TOrvSerialData*>(Module->GiriSbananata), static_cast<TOrvSerialData*>(Module->GiriCutOff),
          static_cast<TOrvSerialData*>(Module->GiriFuoriGiri)}) {
      EXPECT_EQ(item->CoeffB, scale) << type << " " << item->Name();
      EXPECT_EQ(item->CoeffA, 0.0);
      EXPECT_EQ(item->CoeffC, 1.0);
      EXPECT_EQ(item->CoeffD, 0.0);
    }
    EXPECT_EQ(Peek(163) & 7, type);
  }
  // The default type 4: period 39 is 3000 RPM.
  EXPECT_EQ(Module->VAL_GIRI->ConvertValueToUser(39), 3000.0);
}

TEST_F(DataModule, ReadingTheIgnitionTypeSetsTheScaleWithoutWriting) {
  ConnectEcu();
  Poke(163, (Peek(163) & ~7) | 2);
  ASSERT_TRUE(Module->TIPO_ACCENSIONE->Load());
  EXPECT_EQ(Module->GiriPerCambio->CoeffB, 78000.0);
  for (int entry : Log()) EXPECT_LT(entry, 1000) << "no write expected";
}

TEST_F(DataModule, IgnitionTypeChangeRewritesTheThresholdsInTheNewScale) {
  ConnectEcu();
  Module->GiriPerCambio->SetInt(2000);
  Module->GiriSbananata->SetInt(3600);
  Module->GiriCutOff->SetInt(1500);
  Module->GiriFuoriGiri->DisableLimits = true;
  Module->GiriFuoriGiri->SetInt(12000);
  Module->GiriFuoriGiri->DisableLimits = false;
  ASSERT_EQ(Peek(225), 10);  // 117000 / 12000, rounded
  const std::uint32_t before = ManualClock.TickCount();
  ResetLog();

  ASSERT_TRUE(Module->TIPO_ACCENSIONE->SetInt(2));

  EXPECT_GE(ManualClock.TickCount() - before, 1000u);
  // Each threshold keeps its RPM value, written as the period of the new
  // scale: rounded user value of the old scale, 78000 / RPM.
  const std::pair<int, int> bytes[] = {
      {213, 22},  // 3600 RPM, held as period 33 (3500 RPM) -> 78000 / 3500
      {204, 52},  // 1500 RPM -> 78000 / 1500
      {223, 39},  // 2000 RPM -> 78000 / 2000
      {225, 7},   // 11700 RPM, limits off: 6.67; with limits it would be 10
  };
  for (const auto& [address, period] : bytes) EXPECT_EQ(Peek(address), period) << address;
  EXPECT_FALSE(Module->GiriFuoriGiri->DisableLimits);
  // Order of the writes: ignition byte, then Sbananata, CutOff, FuoriGiri, PerCambio.
  std::vector<int> writes;
  for (int entry : Log()) {
    if (entry >= 1000 && entry < 2000) writes.push_back(entry - 1000);
  }
  const std::vector<int> expected = {163, 213, 204, 225, 223};
  EXPECT_EQ(writes, expected);
}

TEST_F(DataModule, GiriFuoriGiriUserEntryIsClampedTo8000) {
  ConnectEcu();
  ASSERT_TRUE(Module->GiriFuoriGiri->SetInt(12000));
  EXPECT_EQ(Peek(225), 15);  // 117000 / 8000 = 14.6
}

// ---------------------------------------------------------------- throttle

TEST_F(DataModule, InvertedThrottleSensorsSwapTheCoefficients) {
  ConnectEcu();
  Poke(166, 51);
  Poke(215, 51);
  Poke(196, 51);
  for (int type = 0; type < 8; ++type) {
    SCOPED_TRACE(type);
    ASSERT_TRUE(Module->TIPO_TPS->SetInt(type));
    const bool inverted = type == 1 || type == 3;
    const double volts = inverted ? 4.0 : 1.0;
    for (TOrvSerialData* item :
         {static_cast<TOrvSerialData*>(Module->VALORE_MINIMO_TPS),
          static_cast<TOrvSerialData*>(Module->TPS_PER_AFFONDATA), static_cast<TOrvSerialData*>(Module->TPSSbananata),
          static_cast<TOrvSerialData*>(Module->TPSFasciaApprendimento)}) {
      EXPECT_EQ(item->CoeffA, inverted ? -5.0 : 5.0) << item->Name();
      EXPECT_EQ(item->CoeffB, inverted ? 1275.0 : 0.0) << item->Name();
      EXPECT_EQ(item->CoeffC, 0.0);
      EXPECT_EQ(item->CoeffD, 255.0);
      EXPECT_NEAR(item->ConvertValueToUser(51), volts, 1e-9) << item->Name();
    }
    // The three parameters were read again with the new coefficients.
    EXPECT_NEAR(Module->TPS_PER_AFFONDATA->GetDouble(), volts, 1e-9);
    EXPECT_NEAR(Module->TPSSbananata->GetDouble(), volts, 1e-9);
    for (TOrvSerialData* item :
         {static_cast<TOrvSerialData*>(Module->VALOR_TPS), static_cast<TOrvSerialData*>(Module->ISTERESI_MINIMO_TPS),
          static_cast<TOrvSerialData*>(Module->ValoreMinimoTPS),
          static_cast<TOrvSerialData*>(Module->OrvNumberTPSRif2)}) {
      EXPECT_EQ(item->CoeffA, 5.0) << item->Name();
      EXPECT_EQ(item->CoeffB, 0.0) << item->Name();
    }
  }
}

TEST_F(DataModule, ReadingTheThrottleTypeAlsoSetsTheCoefficients) {
  ConnectEcu();
  Poke(164, 3 << 5);
  ASSERT_TRUE(Module->TIPO_TPS->Load());
  EXPECT_EQ(Module->TPS_PER_AFFONDATA->CoeffA, -5.0);
  const std::vector<int> log = Log();
  // TIPO_TPS, then TPS_PER_AFFONDATA, TPSSbananata, TPSFasciaApprendimento.
  const std::vector<int> expected = {164, 166, 215, 196};
  EXPECT_EQ(log, expected);
}

// ---------------------------------------------------------------- other rules

TEST_F(DataModule, ProbeTypeWriteRereadsTheWholeFlagByte) {
  ConnectEcu();
  Poke(165, 0x05);
  ASSERT_TRUE(Module->TIPO_SONDA_LAMBDA->SetInt(2));
  EXPECT_EQ(Peek(165), 0x45);
  EXPECT_EQ(Module->FLAG_CONFIGURAZIONE_3->EcuValue, 0x45);
  EXPECT_TRUE(Module->FLAG_CONFIGURAZIONE_3->DataValid);
  EXPECT_EQ(Module->FLAG_CONFIGURAZIONE_3->GetDouble(), 0x45 ^ 16);
}

TEST_F(DataModule, ActuatorLimitsFollowMaximumAndMinimumOpening) {
  ConnectEcu();
  ASSERT_TRUE(Module->MINIMA_APERTURA_ATTUATORE->SetInt(30));
  const std::uint32_t before = ManualClock.TickCount();
  ResetLog();
  ASSERT_TRUE(Module->MASSIMA_APERTURA_ATTUATORE->SetInt(200));
  EXPECT_GE(ManualClock.TickCount() - before, 100u);
  EXPECT_EQ(Module->POSIZIONE_IN_CUTOFF->ValueMax(), 200.0);
  EXPECT_EQ(Module->POSIZIONE_DEFAULT->ValueMax(), 200.0);
  EXPECT_EQ(Module->POSIZIONE_DEFAULT->ValueMin(), 30.0);
  const std::vector<int> log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), 1207);
  EXPECT_EQ(log.back(), 168);  // POSIZIONE_DEFAULT read again
  // The same handler serves the four other items.
  for (TOrvNumber* item : {Module->MINIMA_APERTURA_ATTUATORE, Module->MinimaAperturaAlMinimo,
                           Module->FrazDefEntroMinimo, Module->FrazDefEscoMinimo}) {
    ResetLog();
    ASSERT_TRUE(item->SetInt(25)) << item->Name();
    const std::vector<int> l = Log();
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.back(), 168) << item->Name();
  }
}

TEST_F(DataModule, ConfigurationFlagsUpdateTheWindowAndRereadTheDefaultPosition) {
  ConnectEcu();
  // Without a window the handler only reads again.
  ResetLog();
  ASSERT_TRUE(Module->FLAG_GONFIGURAZIONE->SetInt(33));
  EXPECT_EQ(Log().back(), 168);
  testing::TRecordingWindow window;
  Module->SetConfigWindowHooks(&window);
  ASSERT_TRUE(Module->FLAG_GONFIGURAZIONE->SetInt(37));
  const std::vector<std::string> expected = {"flags"};
  EXPECT_EQ(window.Calls, expected);
  Module->SetConfigWindowHooks(nullptr);
}

TEST_F(DataModule, IdleLambdaReferenceCopiesTheLargerIntoRiccoFreddo) {
  ConnectEcu();
  ASSERT_TRUE(Module->RifLambdaFuoriMinimo->SetDouble(0.8));
  ASSERT_TRUE(Module->RifLambdaAlMinimo->SetDouble(1.2));
  EXPECT_NEAR(Module->RifLambdaRiccoFreddo->GetDouble(), 1.2, 1e-9);
  ASSERT_TRUE(Module->RifLambdaAlMinimo->SetDouble(0.6));
  EXPECT_NEAR(Module->RifLambdaRiccoFreddo->GetDouble(), 0.8, 1e-9);
}

TEST_F(DataModule, EngineSpeed255ShowsZeroAnd254RestoresTheFormula) {
  TOrvPacketData& giri = *Module->VAL_GIRI;
  Deliver(giri, 39);
  EXPECT_EQ(giri.GetDouble(), 3000.0);
  Deliver(giri, 255);
  EXPECT_EQ(giri.Transformation, items::ttNone);
  EXPECT_EQ(giri.EcuValue, 0);
  EXPECT_EQ(giri.GetDouble(), 0.0);
  Deliver(giri, 254);
  EXPECT_EQ(giri.Transformation, items::ttFormula);
  EXPECT_EQ(giri.GetDouble(), 460.0);  // 117000 / 254 = 460.6, precision 10
}

TEST_F(DataModule, BandIndicators) {
  testing::TRecordingWindow window;
  struct Case {
    bool Tps;
    int Value;
    std::vector<std::string> Calls;
  };
  const Case cases[] = {
      {true, 0, {"T1=0", "T2=0", "T3=0", "T0=100"}},
      {true, 2, {"T0=0", "T1=0", "T3=0", "T2=100"}},
      {true, 3, {"T0=0", "T1=0", "T2=0", "T3=100"}},
      {true, 4, {}},
      {true, 200, {}},
      {false, 0, {"L1=0", "L2=0", "L0=100"}},
      {false, 1, {"L0=0", "L2=0", "L1=100"}},
      {false, 2, {"L0=0", "L1=0", "L2=100"}},
      {false, 3, {}},
  };
  // Without a window nothing happens (and nothing breaks).
  Deliver(*Module->FASCIA_TPS, 1);
  Module->SetConfigWindowHooks(&window);
  for (const Case& c : cases) {
    window.Calls.clear();
    Deliver(c.Tps ? *Module->FASCIA_TPS : *Module->FASCIA_LAMBDA, c.Value);
    EXPECT_EQ(window.Calls, c.Calls) << c.Tps << " " << c.Value;
  }
  Module->SetConfigWindowHooks(nullptr);
}

TEST_F(DataModule, SignAndMagnitudeItems) {
  for (TOrvNumber* item : {Module->PosizioneASondaFredda, Module->FrazDefEntroMinimo, Module->FrazDefEscoMinimo}) {
    SCOPED_TRACE(item->Name());
    EXPECT_EQ(item->ConvertValueToUser(200), -72.0);
    EXPECT_EQ(item->ConvertValueToUser(128), 0.0);
    EXPECT_EQ(item->ConvertValueToEcu(-72.0), 200);
    EXPECT_EQ(item->ConvertValueToEcu(-0.5), 128);
    EXPECT_EQ(item->ConvertValueToEcu(3.9), 3);
  }
  // Limits -127..128 of PosizioneASondaFredda apply before the conversion.
  EXPECT_EQ(Module->PosizioneASondaFredda->ConvertValueToEcu(-500.0), 255);
  EXPECT_EQ(Module->FrazDefEntroMinimo->ConvertValueToEcu(-500.0), 228);  // -100
}

TEST_F(DataModule, InvertedBit4Item) {
  TOrvNumber& flags = *Module->FLAG_CONFIGURAZIONE_3;
  EXPECT_EQ(flags.ConvertValueToUser(0), 16.0);
  EXPECT_EQ(flags.ConvertValueToUser(16), 0.0);
  EXPECT_EQ(flags.ConvertValueToEcu(16.0), 0);
  EXPECT_EQ(flags.ConvertValueToEcu(0.0), 16);
}

// ---------------------------------------------------------------- whole set

TEST_F(DataModule, ResetAllToDefaultsKeepsGiriFuoriGiriAndClearsDisableLimits) {
  Module->ResetAllToDefaults();
  EXPECT_EQ(Module->GiriFuoriGiri->EcuValue, 10);  // 12000 RPM, above ValueMax 8000
  EXPECT_EQ(Module->GiriFuoriGiri->ValueMax(), 8000.0);
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    if (auto* item = dynamic_cast<TOrvSerialData*>(Module->Components(i))) {
      EXPECT_FALSE(item->DisableLimits) << item->Name();
    }
  }
  EXPECT_EQ(Module->TEMPO_SOVRAPPOSIZIONE->EcuValue, 101);
}

TEST_F(DataModule, ResetAllToDefaultsDoesNotTouchTheEcu) {
  ConnectEcu();
  Module->ResetAllToDefaults();
  for (int entry : Log()) EXPECT_LT(entry, 1000) << "no write expected";
}

TEST_F(DataModule, ClearLiveValuesKeepsTransformations) {
  Deliver(*Module->VAL_GIRI, 255);  // switches VAL_GIRI to ttNone
  for (TOrvPacketData* p : {Module->VALORE_LAMBDA, Module->VALOR_TPS, Module->VAL_TEMPERATURA, Module->FASCIA_TPS}) {
    Deliver(*p, 77);
  }
  std::vector<items::TransformationType> before;
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    if (auto* p = dynamic_cast<TOrvPacketData*>(Module->Components(i))) before.push_back(p->Transformation);
  }
  Module->ClearLiveValues();
  std::size_t k = 0;
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    if (auto* p = dynamic_cast<TOrvPacketData*>(Module->Components(i))) {
      EXPECT_EQ(p->EcuValue, 0) << p->Name();
      EXPECT_EQ(p->Transformation, before[k++]) << p->Name();
    }
    if (auto* item = dynamic_cast<TOrvSerialData*>(Module->Components(i))) {
      EXPECT_FALSE(item->DisableLimits);
    }
  }
  EXPECT_EQ(k, 9u);
  EXPECT_EQ(Module->VAL_GIRI->Transformation, items::ttNone);
  EXPECT_EQ(Module->VALORE_LAMBDA->Transformation, items::ttFormula);
}

TEST_F(DataModule, NotifyAllControlsSendsDataChangedWithZero) {
  TListener listener;
  Module->TIPO_ACCENSIONE->AddNotificationList(&listener);
  Module->VAL_GIRI->AddNotificationList(&listener);
  Module->NotifyAllControls();
  ASSERT_EQ(listener.Messages.size(), 2u);
  for (const auto& m : listener.Messages) {
    EXPECT_EQ(m.Msg, platform::WM_DATACHANGED);
    EXPECT_EQ(m.W, 0);
    EXPECT_EQ(m.L, 0);
  }
  Module->TIPO_ACCENSIONE->RemoveNotificationList(&listener);
  Module->VAL_GIRI->RemoveNotificationList(&listener);
}

// Records the refresher calls of the live values.
class TRecordingRefresher : public items::TDataRefresherBase {
 public:
  using items::TDataRefresherBase::TDataRefresherBase;
  bool AddRefresh(platform::TComponent* c, int, std::uint32_t, int) override {
    Calls.push_back("add " + c->Name());
    return true;
  }
  void RemoveRefresh(platform::TComponent* c, std::uint32_t, int) override { Calls.push_back("remove " + c->Name()); }
  void SuspendRefresh(platform::TComponent* c, std::uint32_t, int) override { Calls.push_back("suspend " + c->Name()); }
  void ResumeRefresh(platform::TComponent* c, std::uint32_t, int) override { Calls.push_back("resume " + c->Name()); }
  std::vector<std::string> Calls;
};

TEST_F(DataModule, ActivateLiveValuesGoesFromTheLastToTheFirst) {
  TRecordingRefresher recorder;
  std::vector<TOrvPacketData*> packets;
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    if (auto* p = dynamic_cast<TOrvPacketData*>(Module->Components(i))) packets.push_back(p);
  }
  for (TOrvPacketData* p : packets) p->SetDataRefresher(&recorder);
  recorder.Calls.clear();
  Module->ActivateLiveValues();
  std::vector<std::string> expected;
  for (auto it = packets.rbegin(); it != packets.rend(); ++it) expected.push_back("resume " + (*it)->Name());
  EXPECT_EQ(recorder.Calls, expected);
  ASSERT_FALSE(recorder.Calls.empty());
  EXPECT_EQ(recorder.Calls.front(), "resume VAL_GIRI");
  EXPECT_EQ(recorder.Calls.back(), "resume VALORE_LAMBDA");
  for (TOrvPacketData* p : packets) p->SetDataRefresher(nullptr);
}

TEST_F(DataModule, StopRefreshWithAWaitingWorkerReturnsAtOnce) {
  Module->DataRefresher->SetEnabled(false);
  EXPECT_TRUE(Module->StopRefresh());
  EXPECT_TRUE(Dialogs.Messages.empty());
}

// A dispatcher that can hold back the work handed to the main thread, so the
// refresh worker stays busy handing over its pass.
class TStallingMainThread : public platform::TMainThreadQueue {
 public:
  void Synchronize(const std::function<void()>& fn) override {
    if (!IsMainThread()) Handing = true;
    platform::TMainThreadQueue::Synchronize(fn);
  }
  bool CheckSynchronize() override { return Stall ? false : platform::TMainThreadQueue::CheckSynchronize(); }
  void ProcessMessages() override { CheckSynchronize(); }
  std::atomic<bool> Stall{true};
  std::atomic<bool> Handing{false};
};

TEST_F(DataModule, StopRefreshGivesUpAfter2000msWithItsMessage) {
  TStallingMainThread dispatcher;
  platform::TScopedMainThread guard(dispatcher);
  {
    // The module and its refresher live inside the dispatcher's reign.
    auto module = MakeModule();
    module->DataRefresher->SetEnabled(true);
    for (int i = 0; i < 5000 && !dispatcher.Handing; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(dispatcher.Handing);
    const std::uint32_t before = ManualClock.TickCount();
    EXPECT_FALSE(module->StopRefresh());
    EXPECT_GT(ManualClock.TickCount() - before, 2000u);
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Text, "Error: it's impossible to suspend the thread (33)");
    EXPECT_EQ(Dialogs.Messages[0].Caption, "Comunication Error");
    EXPECT_EQ(Dialogs.Messages[0].Type, platform::TMsgDlgType::mtError);
    // Released, the worker finishes its pass and waits: asked to stop it stays.
    dispatcher.Stall = false;
    platform::TSystemClock systemClock;
    platform::TScopedClock realTime(systemClock);
    EXPECT_TRUE(module->StopRefresh());
  }
}

TEST_F(DataModule, StopRefreshWithTheTickCountWrapping) {
  ManualClock.Set(0xFFFFFF00u);
  Module->DataRefresher->SetEnabled(false);
  EXPECT_TRUE(Module->StopRefresh());
}

// ---------------------------------------------------------------- wait window

TEST_F(DataModule, WaitWindowOpensShownAndIsForgottenWhenDestroyed) {
  Module->Texts.TextCompleted = "fatto";
  std::vector<TFormAttesa*> created;
  Module->OnWaitWindowCreated = [&](TFormAttesa& w) { created.push_back(&w); };
  Module->OpenWaitWindow("Titolo", "Messaggio");
  ASSERT_EQ(created.size(), 1u);
  TFormAttesa* w = Module->FormAttesa();
  ASSERT_EQ(w, created[0]);
  EXPECT_EQ(w->Caption(), "Titolo");
  EXPECT_EQ(w->Message(), "Messaggio");
  EXPECT_TRUE(w->Visible());
  EXPECT_TRUE(w->AnimationActive());
  EXPECT_EQ(w->CompletedText(), "0% fatto");
  EXPECT_EQ(platform::Screen().Cursor(), platform::crAppStart);
  EXPECT_EQ(Module->ComponentCount(), 76);  // not among the catalogue
  Module->SetWaitProgress(30, true);
  EXPECT_EQ(w->Position(), 30);
  Module->CloseWaitWindow();
  EXPECT_EQ(Module->FormAttesa(), nullptr);
  EXPECT_EQ(platform::Screen().Cursor(), platform::crDefault);
  Module->SetWaitProgress(30, true);  // harmless without a window

  // A window someone else owns is forgotten when it goes.
  auto other = std::make_unique<TFormAttesa>(nullptr);
  Module->SetFormAttesa(other.get());
  EXPECT_EQ(Module->FormAttesa(), other.get());
  other.reset();
  EXPECT_EQ(Module->FormAttesa(), nullptr);
}

}  // namespace
}  // namespace orv::paramset
