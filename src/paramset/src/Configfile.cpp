#include "orv/paramset/Configfile.h"

#include "orv/items/Serialdata.h"
#include "orv/paramset/Lcefile.h"
#include "orv/paramset/Orvmeminifile.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {

namespace {

constexpr int kTextWaitLoading = 93;
constexpr int kTextWaitSaving = 94;
constexpr int kTextCaptionLoading = 95;
constexpr int kTextCaptionSaving = 96;
constexpr int kTextCannotReplace = 97;
constexpr int kTextErrorCaption = 98;
constexpr int kTextCannotCipher = 99;

void ShowError(const std::string& text, const std::string& caption) {
  platform::Dialogs().MessageBox(text, caption, platform::TMsgDlgType::mtError, platform::mbOK);
}

// The busy cursor and the wait window for the length of one operation; both
// are put back on every way out.
class TWaitScope {
 public:
  TWaitScope(IConfigFileHost& host, const std::string& caption, const std::string& message) : FHost(host) {
    platform::Screen().SetCursor(platform::crAppStart);
    FHost.OpenWaitWindow(caption, message);
  }
  ~TWaitScope() { Close(); }
  TWaitScope(const TWaitScope&) = delete;
  TWaitScope& operator=(const TWaitScope&) = delete;

  void Progress(int i, int n) {
    if (n > 0) FHost.SetWaitProgress(static_cast<std::uint8_t>(i * 100 / n), true);
  }
  void Close() {
    if (FOpen) {
      FOpen = false;
      FHost.CloseWaitWindow();
      platform::Screen().SetCursor(platform::crDefault);
    }
  }

 private:
  IConfigFileHost& FHost;
  bool FOpen = true;
};

// The items keep exceptions to themselves; should one escape anyway, the
// item counts as failed and the operation goes on.
template <class Fn>
bool Guarded(Fn&& fn) {
  try {
    return fn();
  } catch (...) {
    return false;
  }
}

bool ReadItem(items::TOrvSerialData& item, platform::TCustomIniFile& ini) {
  // Limits are off while the value is taken, so a stored value outside the
  // current limits comes back as it was saved.
  const bool disableLimits = item.DisableLimits;
  item.DisableLimits = true;
  const bool ok = Guarded([&] { return item.ReadFromFile(ini); });
  item.DisableLimits = disableLimits;
  return ok;
}

bool LoadText(IConfigFileHost& host, const std::string& text) {
  host.ResetAllToDefaults();
  TWaitScope wait(host, host.Text(kTextCaptionLoading), host.Text(kTextWaitLoading));
  TIniBuffer buffer = MakeIniBuffer(text, false);
  TMemIniData ini(&buffer);
  bool ok = true;
  platform::TComponent& module = host.Module();
  // Group 0 first: the ignition type is set before the engine-speed
  // thresholds of group 1 are converted in its scale.
  for (int group = 0; group <= 1; ++group) {
    const int n = module.ComponentCount();
    for (int i = 0; i < n; ++i) {
      wait.Progress(i, n);
      auto* item = dynamic_cast<items::TOrvSerialData*>(module.Components(i));
      if (item == nullptr || item->ReadOnly || item->DataGroup != group) continue;
      if (!ReadItem(*item, ini)) {
        ShowError("It's impossible to read " + item->Name(), host.Text(kTextErrorCaption));
        ok = false;
        break;  // the rest of this group keeps its defaults
      }
    }
  }
  return ok;
}

}  // namespace

bool SaveConfiguration(IConfigFileHost& host, const std::string& fileName) {
  if (!CanReplaceFile(fileName)) {
    ShowError(host.Text(kTextCannotReplace), host.Text(kTextErrorCaption));
    return false;
  }
  TWaitScope wait(host, host.Text(kTextCaptionSaving), host.Text(kTextWaitSaving));
  // The INI text is built in memory and enciphered from there: no plain copy
  // of the configuration is ever written to disk.
  TMemIniData ini(nullptr);
  bool ok = true;
  std::string failed;
  platform::TComponent& module = host.Module();
  const int n = module.ComponentCount();
  for (int i = 0; i < n; ++i) {
    wait.Progress(i, n);
    platform::TComponent* component = module.Components(i);
    auto* item = dynamic_cast<items::TOrvSerialData*>(component);
    if (item == nullptr || dynamic_cast<items::TOrvPacketData*>(component) != nullptr) continue;
    if (!Guarded([&] { return item->WriteToFile(ini); })) {
      failed += item->Name() + "\n";
      ok = false;
    }
  }
  // A file that could not be written is a failed save, whatever the items
  // did; the existing file is then left as it was.
  const bool written = EncryptTextToFile(ini.Text(), fileName);
  if (!written) ShowError(host.Text(kTextCannotCipher), host.Text(kTextErrorCaption));
  wait.Close();
  if (!ok) ShowError("It was impossible to save the following data::\n" + failed, host.Text(kTextErrorCaption));
  return ok && written;
}

bool LoadConfigurationFromBytes(IConfigFileHost& host, std::span<const std::uint8_t> fileBytes) {
  const auto text = DecryptBytes(fileBytes);
  if (!text) {
    ShowError(host.Text(kTextCannotCipher), host.Text(kTextErrorCaption));
    return false;
  }
  return LoadText(host, *text);
}

bool LoadConfiguration(IConfigFileHost& host, const std::string& fileName) {
  const auto bytes = ReadFileBytes(fileName);
  if (!bytes) {
    ShowError(host.Text(kTextCannotCipher), host.Text(kTextErrorCaption));
    return false;
  }
  return LoadConfigurationFromBytes(host, *bytes);
}

}  // namespace orv::paramset
