#include "Lcefilefuzz.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "orv/items/Serialdata.h"
#include "orv/paramset/Configfile.h"
#include "orv/paramset/Lcefile.h"
#include "orv/paramset/Orvmeminifile.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Screen.h"

namespace orv::fuzz {

namespace {

using namespace orv::paramset;

// A small parameter set without a connection: numbers of both data groups,
// user and raw values, a scaled one, a read-only one, one without a key.
class TFuzzHost : public IConfigFileHost {
 public:
  TFuzzHost() {
    Add("TIPO_ACCENSIONE", "CONFIGURAZIONE", "TIPO ACCENSIONE", 4, 0);
    Add("TempoSovrapposizione", "CONFIGURAZIONE", "TEMPO DI SOVRAPPOSIZIONE", 0.4, 0).CoeffA = 0.05;
    Add("Raw", "CONFIGURAZIONE", "RAW", 7, 0).StoreUserValue = false;
    Add("GiriPerCambio", "CONFIGURAZIONE", "GIRI PER CAMBIO", 2000, 1);
    Add("Sola", "CONFIGURAZIONE", "SOLA LETTURA", 1, 1).ReadOnly = true;
    Add("Elemento", "CONFIGURAZIONE", "ELEMENTO", 3, 1).SetNumberType(items::ntMatrixElement);
    Add("RIPROGRAMMAZIONE", "COMANDI", "RIPROGRAMMAZIONE", 0, 0);
    Add("SenzaChiave", "", "", 9, 1);
    for (int i = 0; i < FModule.ComponentCount(); ++i) {
      auto* n = dynamic_cast<items::TOrvNumber*>(FModule.Components(i));
      if (n->CoeffA != 1.0) n->Transformation = items::ttFormula;
      n->SetMaxValue(200);
    }
  }

  platform::TComponent& Module() override { return FModule; }
  std::string Text(int stringId) override { return std::to_string(stringId); }
  void OpenWaitWindow(const std::string&, const std::string&) override { WaitOpen = true; }
  void SetWaitProgress(std::uint8_t percent, bool) override { ProgressInRange = ProgressInRange && percent <= 100; }
  void CloseWaitWindow() override { WaitOpen = false; }
  void ResetAllToDefaults() override {
    for (int i = 0; i < FModule.ComponentCount(); ++i) {
      auto* n = dynamic_cast<items::TOrvNumber*>(FModule.Components(i));
      n->DisableLimits = true;
      n->ResetDefault(false);
      n->DisableLimits = false;
    }
  }

  bool WaitOpen = false;
  bool ProgressInRange = true;

 private:
  items::TOrvNumber& Add(const char* name, const char* section, const char* key, double def, int group) {
    auto* n = new items::TOrvNumber(&FModule);  // owned by the module
    n->SetName(name);
    n->FileSection = section;
    n->FileKeyName = key;
    n->DefaultValue = def;
    n->DataGroup = group;
    return *n;
  }

  platform::TComponent FModule;
};

// Formatting a parsed store and parsing the result again gives the same text.
bool StableFormat(TMemIniData& ini) {
  const std::string once = ini.Text();
  TIniBuffer buffer = MakeIniBuffer(once);
  TMemIniData again(&buffer);
  return again.Text() == once;
}

bool ExerciseStore(TMemIniData& ini) {
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const auto& section : sections) {
    std::vector<std::string> names;
    ini.ReadSection(section, names);
    for (const auto& name : names) {
      (void)ini.ReadFloat(section, name, 0.0);
      (void)ini.ReadInteger(section, name, 0);
      (void)ini.ValueExists(section, name);
    }
  }
  if (!StableFormat(ini)) return false;
  ini.WriteString("CONFIGURAZIONE", "TIPO ACCENSIONE", "2");
  ini.DeleteKey("COMANDI", "RIPROGRAMMAZIONE");
  if (!sections.empty()) ini.EraseSection(sections.front());
  ini.UpdateFile();
  return StableFormat(ini);
}

}  // namespace

bool LcefileFuzzOne(const std::uint8_t* data, std::size_t size) {
  platform::TRecordingDialogs dialogs;
  platform::TScopedDialogs scoped(dialogs);
  const std::span<const std::uint8_t> bytes(data, size);
  bool ok = true;

  // The input as a whole configuration file.
  if (const auto text = DecryptBytes(bytes)) {
    TLceKeyBytes keyBytes{};
    std::copy_n(bytes.begin() + LceHeaderSize, LceKeyBytes, keyBytes.begin());
    const auto again = EncryptToBytes(*text, keyBytes);
    ok = ok && again &&
         std::equal(again->begin() + LceHeaderSize, again->end(), bytes.begin() + LceHeaderSize, bytes.end());
    TIniBuffer buffer = MakeIniBuffer(*text, false);
    TMemIniData ini(&buffer);
    ok = ExerciseStore(ini) && ok;
  } else {
    ok = ok && size < LceBodyOffset;
  }

  // The input as plain INI text.
  {
    TIniBuffer buffer = MakeIniBuffer({reinterpret_cast<const char*>(data), size});
    TMemIniData ini(&buffer);
    ok = ExerciseStore(ini) && ok;
  }

  // The input as a length-prefixed buffer whose length field may lie.
  if (size >= 4) {
    TIniBuffer buffer;
    buffer.Size = size;
    buffer.Data = std::make_unique<std::uint8_t[]>(size);
    std::copy_n(data, size, buffer.Data.get());
    TMemIniData ini(&buffer);
    ok = ExerciseStore(ini) && ok;
  }

  // Loading a parameter set from the input.
  TFuzzHost host;
  (void)LoadConfigurationFromBytes(host, bytes);
  ok = ok && !host.WaitOpen && host.ProgressInRange && platform::Screen().Cursor() == platform::crDefault;
  return ok;
}

}  // namespace orv::fuzz
