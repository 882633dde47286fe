// The data module end to end on the simulated ECU: connecting in every way
// it can end, the full read in catalogue order, the live values through the
// refresher's real worker, disconnecting, and the factory defaults.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "Modulefixture.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Datarefresher.h"
#include "orv/paramset/Attesa.h"
#include "orv/paramset/Catalogue.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {
namespace {

using items::TOrvNumber;
using items::TOrvPacketData;
using items::TOrvSerialData;

class DataModuleEndToEnd : public testing::ModuleFixture {
 protected:
  // The log entry of each parameter's own read, in catalogue order.
  std::vector<int> CatalogueReads(TSerialDataModule& module) {
    std::vector<int> reads;
    for (int i = 0; i < module.ComponentCount(); ++i) {
      auto* number = dynamic_cast<TOrvNumber*>(module.Components(i));
      if (number == nullptr) continue;
      reads.push_back(number->ByAddress ? number->Address : plugins::simulator::kLogReadByCode + number->SerialCode());
    }
    return reads;
  }
};

// True when needles appear in haystack in their order (not necessarily adjacent).
bool IsSubsequence(const std::vector<int>& needles, const std::vector<int>& haystack) {
  std::size_t k = 0;
  for (int h : haystack) {
    if (k < needles.size() && needles[k] == h) ++k;
  }
  return k == needles.size();
}

TEST_F(DataModuleEndToEnd, ConnectIdentifiesOpensAndReadsEveryParameterInOrder) {
  StartEcu();
  Module->Texts.TextWaitCaption = "Connessione";
  Module->Texts.TextWaitMessage = "Attendere";
  std::vector<int> positions;
  TFormAttesa* seen = nullptr;
  Module->OnWaitWindowCreated = [&](TFormAttesa& w) {
    seen = &w;
    EXPECT_EQ(w.Caption(), "");  // set after the renderer is attached
    w.OnPaint = [&positions, &w](bool) {
      if (positions.empty() || positions.back() != w.Position()) positions.push_back(w.Position());
    };
  };

  ASSERT_EQ(Module->Connect(4, 0), kConnectAnswered);

  EXPECT_TRUE(Module->IsLinkOpen());
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(Module->FormAttesa(), nullptr);
  EXPECT_EQ(platform::Screen().Cursor(), platform::crDefault);
  const std::vector<int> log = Log();
  ASSERT_GE(log.size(), 2u + 64u);
  EXPECT_EQ(log[0], plugins::simulator::kLogIdentify);
  EXPECT_EQ(log[1], plugins::simulator::kLogOpenLink);
  EXPECT_TRUE(IsSubsequence(CatalogueReads(*Module), log));
  for (int entry : log) {
    EXPECT_FALSE(entry >= 1000 && entry < 2000) << "write to " << entry - 1000;
    EXPECT_NE(entry, plugins::simulator::kLogWriteByCode);
  }
  // Progress: the opening 0, the library's 0 and +5 while identifying, then
  // the read of the 76 components, 0 to 98.
  std::vector<int> expected = {0, 5};
  for (int i = 0; i < 76; ++i) expected.push_back(i * 100 / 76);
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  EXPECT_EQ(positions, expected);
  EXPECT_EQ(Module->EcuIdentity.Bytes[1], 36);
}

TEST_F(DataModuleEndToEnd, TheRpmScaleIsSetBeforeAnyRpmParameterIsRead) {
  StartEcu();
  Poke(163, (Peek(163) & ~7) | 2);
  ASSERT_EQ(Module->Connect(4, 0), kConnectAnswered);
  const std::vector<int> log = Log();
  const auto at = [&](int address) { return std::find(log.begin(), log.end(), address) - log.begin(); };
  for (int rpm : {223, 213, 204, 225}) EXPECT_LT(at(163), at(rpm)) << rpm;
  EXPECT_EQ(Module->GiriPerCambio->CoeffB, 78000.0);
  EXPECT_EQ(Module->GiriPerCambio->GetDouble(), items::RoundToPrecision(78000.0 / Peek(223), 100.0));
  EXPECT_EQ(Module->VAL_GIRI->CoeffB, 78000.0);
}

TEST_F(DataModuleEndToEnd, ConnectResults) {
  struct Case {
    const char* Faults;
    int Result;
    bool LinkOpen;
    bool OpenTried;
  };
  const Case cases[] = {
      {"", kConnectAnswered, true, true},
      {"kind=2", kConnectAnswered, true, true},
      {"kind=254", kConnectAnswered, true, true},
      {"noanswer", kConnectNoAnswer, false, false},
      {"kind=3", kConnectBadAnswer, false, false},
      {"kind=0", kConnectBadAnswer, false, false},
      {"variant=2", kConnectAnswered, false, false},
      {"code=37", kConnectAnswered, false, false},
      {"openfail", kConnectAnswered, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Faults);
    auto module = MakeModule();
    StartEcu(c.Faults);
    EXPECT_EQ(module->Connect(4, 0), c.Result);
    EXPECT_EQ(module->IsLinkOpen(), c.LinkOpen);
    // A failed connection leaves no library loaded.
    EXPECT_EQ(module->OrvConnection->IsLoaded(), c.LinkOpen);
    EXPECT_EQ(module->FormAttesa(), nullptr);
    EXPECT_EQ(platform::Screen().Cursor(), platform::crDefault);
    const std::vector<int> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), plugins::simulator::kLogOpenLink), c.OpenTried ? 1 : 0);
    if (c.LinkOpen) {
      // Connecting again while open asks nothing of the ECU.
      ResetLog();
      EXPECT_EQ(module->Connect(4, 0), kConnectAlreadyOpen);
      EXPECT_TRUE(Log().empty());
    }
  }
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(DataModuleEndToEnd, ConnectWithoutLibraryShowsNothing) {
  Module->Disconnect(false);  // the name only changes while nothing is loaded
  Module->OrvConnection->SetDllName((Folder / "NoSuchLibrary.so").string());
  bool created = false;
  Module->OnWaitWindowCreated = [&](TFormAttesa&) { created = true; };
  EXPECT_EQ(Module->Connect(4, 0), kConnectAnswered);
  EXPECT_FALSE(created);
  EXPECT_FALSE(Module->IsLinkOpen());
  EXPECT_FALSE(Module->OrvConnection->IsLoaded());
}

TEST_F(DataModuleEndToEnd, LiveValuesArriveThroughTheRefresher) {
  ConnectEcu();
  testing::TRecordingWindow window;
  Module->SetConfigWindowHooks(&window);
  {
    // The worker paces itself with real time here.
    platform::TSystemClock systemClock;
    platform::TScopedClock realTime(systemClock);
    Module->DataRefresher->SetEnabled(true);
    auto arrived = [&] {
      return Module->VAL_GIRI->EcuValue != 0 && Module->VAL_TEMPERATURA->EcuValue != 0 &&
             Module->VALORE_POSIZIONE_DEFAULT->EcuValue != 0 && !window.Calls.empty();
    };
    for (int i = 0; i < 2500 && !arrived(); ++i) {
      platform::MainThread().ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(arrived());
    EXPECT_TRUE(Module->StopRefresh());
  }
  Module->SetConfigWindowHooks(nullptr);
  const std::vector<int> log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), plugins::simulator::kLogReadPacket), log.end());
  // The default actuator position comes from the ECU's memory.
  EXPECT_EQ(Module->VALORE_POSIZIONE_DEFAULT->EcuValue, Peek(168));
  EXPECT_GT(Module->VAL_GIRI->GetDouble(), 0.0);
}

TEST_F(DataModuleEndToEnd, DisconnectClosesAndUnloads) {
  ConnectEcu();
  Module->Disconnect(false);
  EXPECT_FALSE(Module->OrvConnection->IsLoaded());
  EXPECT_FALSE(Module->IsLinkOpen());
  EXPECT_FALSE(Module->DataRefresher->Enabled());
  const std::vector<int> log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), plugins::simulator::kLogCloseLink), log.end());
  // Disconnecting again, without a library, only sets the refresher.
  Module->Disconnect(false);
  EXPECT_FALSE(Module->OrvConnection->IsLoaded());
}

TEST_F(DataModuleEndToEnd, DestructionClosesTheLink) {
  ConnectEcu();
  Module.reset();
  const std::vector<int> log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), plugins::simulator::kLogCloseLink), log.end());
}

TEST_F(DataModuleEndToEnd, AFactoryEcuReadsBackTheCatalogueDefaults) {
  ConnectEcu();
  auto reference = MakeModule();
  reference->ResetAllToDefaults();
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    auto* number = dynamic_cast<TOrvNumber*>(Module->Components(i));
    if (number == nullptr) continue;
    auto* expected = dynamic_cast<TOrvNumber*>(reference->Components(i));
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(number->GetDouble(), expected->ConvertValueToUser(expected->EcuValue)) << number->Name();
  }
  const std::pair<TOrvNumber*, double> named[] = {
      {Module->TIPO_ACCENSIONE, 4},         {Module->TEMPO_SOVRAPPOSIZIONE, 0.4}, {Module->GiriPerCambio, 2000},
      {Module->TEMPERATURA_PER_CAMBIO, 25}, {Module->FLAG_CONFIGURAZIONE_3, 16},  {Module->TIPO_EMULAZIONE, 2},
      {Module->FrazDefEscoMinimo, 5},       {Module->GiriFuoriGiri, 11700},       {Module->TPS_PER_AFFONDATA, 2.8},
  };
  for (const auto& [item, value] : named) EXPECT_NEAR(item->GetDouble(), value, 1e-9) << item->Name();
}

TEST_F(DataModuleEndToEnd, AParameterAddedToTheDescriptionJoinsEveryOperation) {
  std::string text(SerialDataModuleDescription());
  const std::size_t end = text.rfind("end");
  ASSERT_NE(end, std::string::npos);
  text.insert(end,
              "  object EXTRA_PARAMETRO: TOrvNumber\n"
              "    ByAddress = True\n"
              "    Address = 181\n"
              "    DefaultValue = 7\n"
              "    Connection = OrvConnection\n"
              "    FileSection = 'CONFIGURAZIONE'\n"
              "    FileKeyName = 'EXTRA'\n"
              "  end\n");
  Module = MakeModule(text);
  ASSERT_EQ(Module->ComponentCount(), 77);
  Module->ResetAllToDefaults();
  auto* extra = dynamic_cast<TOrvNumber*>(Module->FindComponent("EXTRA_PARAMETRO"));
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->EcuValue, 7);
  StartEcu();
  ASSERT_EQ(Module->Connect(4, 0), kConnectAnswered);
  const std::vector<int> log = Log();
  EXPECT_TRUE(IsSubsequence(CatalogueReads(*Module), log));
  EXPECT_EQ(CatalogueReads(*Module).back(), 181);
}

}  // namespace
}  // namespace orv::paramset
