// Saving and loading the whole catalogue through the data module, without an
// ECU: every write takes its value, as it does when no library is present.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "orv/items/Serialdata.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Configfile.h"
#include "orv/paramset/Dati.h"
#include "orv/paramset/Lcefile.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/NumberText.h"

namespace orv::paramset {
namespace {

namespace fs = std::filesystem;
using items::TOrvNumber;

const fs::path kShared = ORV_SHARED_TESTDATA_DIR;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class DataModuleFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    FDir = fs::temp_directory_path() / ("orv_datamodule_files_" + std::to_string(::getpid()));
    fs::create_directories(FDir);
    Module = std::make_unique<TSerialDataModule>();
    ASSERT_NE(Module->OrvConnection, nullptr);
    Module->OrvConnection->UnloadDll();
    Module->OrvConnection->SetDllName((FDir / "NoLibraryHere.so").string());
    Module->ResetAllToDefaults();
  }
  void TearDown() override {
    Module.reset();
    platform::SetDecimalSeparator('\0');
    fs::remove_all(FDir);
  }

  std::map<std::string, double> Values() {
    std::map<std::string, double> values;
    for (int i = 0; i < Module->ComponentCount(); ++i)
      if (auto* n = dynamic_cast<TOrvNumber*>(Module->Components(i))) values[n->Name()] = n->GetDouble();
    return values;
  }

  fs::path FDir;
  platform::TManualClock Clock{1000};
  platform::TScopedClock ClockGuard{Clock};
  platform::TRecordingDialogs Dialogs;
  platform::TScopedDialogs DialogsGuard{Dialogs};
  std::unique_ptr<TSerialDataModule> Module;
};

TEST_F(DataModuleFiles, SharedFileLoadsAndSavesBackToTheSameText) {
  const auto defaults = Values();
  ASSERT_TRUE(LoadConfiguration(*Module, (kShared / "workshop.lce").string()));
  const auto loaded = Values();
  int changed = 0;
  for (const auto& [name, value] : loaded) changed += value != defaults.at(name) ? 1 : 0;
  EXPECT_GT(changed, 0);

  ASSERT_TRUE(SaveConfiguration(*Module, (FDir / "saved.lce").string()));
  const auto bytes = ReadFileBytes((FDir / "saved.lce").string());
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(DecryptBytes(*bytes), ReadText(kShared / "workshop.ini"));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(DataModuleFiles, EveryParameterComesBackAndTheSharedKeyTakesTheLaterValue) {
  ASSERT_TRUE(LoadConfiguration(*Module, (kShared / "workshop.lce").string()));
  ASSERT_NE(Module->NPassiPrimoMagroPower, nullptr);
  ASSERT_NE(Module->NPassiTestMagroPower, nullptr);
  const double later = Module->NPassiTestMagroPower->GetDouble();
  ASSERT_TRUE(Module->NPassiPrimoMagroPower->SetData(later + 1));
  ASSERT_NE(Module->NPassiPrimoMagroPower->GetDouble(), later);
  auto saved = Values();

  ASSERT_TRUE(SaveConfiguration(*Module, (FDir / "a.lce").string()));
  const auto text = DecryptBytes(*ReadFileBytes((FDir / "a.lce").string()));
  ASSERT_TRUE(text.has_value());
  TIniBuffer buffer = MakeIniBuffer(*text);
  TMemIniData ini(&buffer);
  std::vector<std::string> keys;
  ini.ReadSection("CONFIGURAZIONE", keys);
  EXPECT_EQ(keys.size(), 62u);
  ini.ReadSection("COMANDI", keys);
  EXPECT_EQ(keys, std::vector<std::string>{"RIPROGRAMMAZIONE"});
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"CONFIGURAZIONE", "COMANDI"}));

  Module->ResetAllToDefaults();
  ASSERT_TRUE(LoadConfiguration(*Module, (FDir / "a.lce").string()));
  saved["NPassiPrimoMagroPower"] = later;
  EXPECT_EQ(Values(), saved);
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(DataModuleFiles, HeaderOnlyFileReportsTheFirstItemOfEachGroup) {
  ASSERT_TRUE(EncryptTextToFile("", (FDir / "empty.lce").string()));
  const auto defaults = Values();
  EXPECT_FALSE(LoadConfiguration(*Module, (FDir / "empty.lce").string()));
  ASSERT_EQ(Dialogs.Messages.size(), 2u);
  EXPECT_EQ(Dialogs.Messages[0].Text, "It's impossible to read TIPO_ACCENSIONE");
  EXPECT_EQ(Dialogs.Messages[1].Text, "It's impossible to read GiriPerCambio");
  EXPECT_EQ(Values(), defaults);
}

}  // namespace
}  // namespace orv::paramset
