#include "orv/qtui/Qsettingsstore.h"

#include <QSettings>
#include <QString>

namespace orv::qtui {

namespace {
QString Q(const std::string& s) { return QString::fromUtf8(s.c_str(), static_cast<qsizetype>(s.size())); }
}  // namespace

TQSettingsStore::TQSettingsStore()
    : FSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "orv srl", "QVN208")) {}

TQSettingsStore::TQSettingsStore(const std::string& iniFile)
    : FSettings(std::make_unique<QSettings>(Q(iniFile), QSettings::IniFormat)) {}

TQSettingsStore::~TQSettingsStore() = default;

bool TQSettingsStore::OpenKey(const std::string& key, bool create) {
  std::string group = key;
  for (char& c : group) {
    if (c == '\\') c = '/';
  }
  while (!group.empty() && group.front() == '/') group.erase(group.begin());
  if (group.empty()) return false;
  if (!create) {
    // The key exists when QSettings knows any value or sub-key under it.
    bool found = false;
    for (const QString& k : FSettings->allKeys()) {
      if (k.startsWith(Q(group) + "/", Qt::CaseInsensitive)) found = true;
    }
    if (!found) return false;
  }
  FGroup = group;
  FOpen = true;
  return true;
}

void TQSettingsStore::CloseKey() {
  FSettings->sync();
  FOpen = false;
  FGroup.clear();
}

bool TQSettingsStore::ValueExists(const std::string& name) const {
  return FOpen && FSettings->contains(Q(FGroup + "/" + name));
}

i18n::TSettingsRead TQSettingsStore::ReadString(const std::string& name, std::string& value) const {
  if (!ValueExists(name)) return i18n::srMissing;
  const QVariant v = FSettings->value(Q(FGroup + "/" + name));
  if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) return i18n::srWrongType;
  value = v.toString().toStdString();
  return i18n::srOk;
}

i18n::TSettingsRead TQSettingsStore::ReadInteger(const std::string& name, std::int32_t& value) const {
  if (!ValueExists(name)) return i18n::srMissing;
  const QVariant v = FSettings->value(Q(FGroup + "/" + name));
  bool ok = false;
  const int n = v.toInt(&ok);
  // Text files keep every value as text; a number reads back as one.
  if (!ok) return i18n::srWrongType;
  value = n;
  return i18n::srOk;
}

bool TQSettingsStore::WriteString(const std::string& name, const std::string& value) {
  if (!FOpen) return false;
  FSettings->setValue(Q(FGroup + "/" + name), Q(value));
  return FSettings->status() == QSettings::NoError;
}

bool TQSettingsStore::WriteInteger(const std::string& name, std::int32_t value) {
  if (!FOpen) return false;
  FSettings->setValue(Q(FGroup + "/" + name), value);
  return FSettings->status() == QSettings::NoError;
}

bool TQSettingsStore::DeleteValue(const std::string& name) {
  if (!ValueExists(name)) return false;
  FSettings->remove(Q(FGroup + "/" + name));
  return true;
}

}  // namespace orv::qtui
