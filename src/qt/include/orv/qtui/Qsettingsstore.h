#pragma once
// The settings store over QSettings: organisation "orv srl", application
// "QVN208", the key path under the current user ("software\orv srl\QVN208"
// becomes the group "software/orv srl/QVN208"). On Windows this is the
// registry under the current user, elsewhere a per-user file.
// Thread: the caller's.

#include <memory>
#include <string>

#include "orv/i18n/Settingsstore.h"

class QSettings;

namespace orv::qtui {

class TQSettingsStore final : public i18n::ISettingsStore {
 public:
  TQSettingsStore();
  // A store over a given settings file (tests).
  explicit TQSettingsStore(const std::string& iniFile);
  ~TQSettingsStore() override;

  bool OpenKey(const std::string& key, bool create) override;
  void CloseKey() override;
  bool ValueExists(const std::string& name) const override;
  i18n::TSettingsRead ReadString(const std::string& name, std::string& value) const override;
  i18n::TSettingsRead ReadInteger(const std::string& name, std::int32_t& value) const override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool WriteInteger(const std::string& name, std::int32_t value) override;
  bool DeleteValue(const std::string& name) override;

 private:
  std::unique_ptr<QSettings> FSettings;
  std::string FGroup;
  bool FOpen = false;
};

}  // namespace orv::qtui
