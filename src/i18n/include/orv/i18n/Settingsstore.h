#pragma once
// The per-user settings store behind the registry settings: named string and
// integer values under one key at a time, the key given as a path under the
// current user's root ("software\orv srl\QVN208"; backslashes separate the
// levels). The program implements it over its platform's settings (the
// registry on Windows, a per-user file elsewhere); tests use
// TMemorySettingsStore.
//
// Protocol: OpenKey, then any reads, writes and deletions of values of that
// key, then CloseKey. Operations on values without an open key fail.
// Thread: the caller's; the store is not shared between threads.

#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace orv::i18n {

enum TSettingsRead {
  srOk,         // the value exists and has the asked type
  srMissing,    // no value of that name (or no open key)
  srWrongType,  // a value of that name exists with the other type
};

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  // Opens key, creating it (and the levels above it) when create is true;
  // false when it does not exist and is not created, or cannot be opened.
  virtual bool OpenKey(const std::string& key, bool create) = 0;
  virtual void CloseKey() = 0;

  virtual bool ValueExists(const std::string& name) const = 0;
  // value is changed only for srOk.
  virtual TSettingsRead ReadString(const std::string& name, std::string& value) const = 0;
  virtual TSettingsRead ReadInteger(const std::string& name, std::int32_t& value) const = 0;
  // Create or replace the value (of either type); false when the store refuses.
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
  virtual bool WriteInteger(const std::string& name, std::int32_t value) = 0;
  // False when there was no such value or it could not be deleted.
  virtual bool DeleteValue(const std::string& name) = 0;
};

// Settings held in memory. Key paths and value names compare without case,
// as the registry's do.
class TMemorySettingsStore : public ISettingsStore {
 public:
  using TValue = std::variant<std::string, std::int32_t>;

  bool OpenKey(const std::string& key, bool create) override;
  void CloseKey() override;
  bool ValueExists(const std::string& name) const override;
  TSettingsRead ReadString(const std::string& name, std::string& value) const override;
  TSettingsRead ReadInteger(const std::string& name, std::int32_t& value) const override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool WriteInteger(const std::string& name, std::int32_t value) override;
  bool DeleteValue(const std::string& name) override;

  // Direct access for set-up and checks, without opening a key.
  bool HasKey(const std::string& key) const;
  void Put(const std::string& key, const std::string& name, TValue value);
  const TValue* Find(const std::string& key, const std::string& name) const;
  bool IsOpen() const { return FOpen; }

  // Make opening or writing fail, as a store without permission would.
  bool FailOpen = false;
  bool FailWrites = false;

 private:
  static std::string Fold(const std::string& text);
  static std::string FoldKey(const std::string& key);
  using TKey = std::map<std::string, TValue>;
  TKey* OpenValues();
  const TKey* OpenValues() const;

  std::map<std::string, TKey> FKeys;
  std::string FOpenKey;
  bool FOpen = false;
};

}  // namespace orv::i18n
