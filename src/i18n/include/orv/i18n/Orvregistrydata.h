#pragma once
// Registry settings: a set of named string values and a set of named integer
// values of one settings key (KeyName, under the current user), mirrored in
// two lists of "name=value" lines. LoadData reads every listed setting from
// the store, SaveData writes every one back; in between only the lists are
// read and changed. A listed setting the store does not hold keeps its list
// (design) value unless a missing-value handler supplies another.
//
// The settings store is not owned: the program sets it and keeps it alive
// for the component's lifetime (destruction saves through it). Without a
// store, or with an empty KeyName, LoadData and SaveData return false and
// touch nothing. Nothing here throws.
//
// Thread: user-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include "orv/i18n/Settingsstore.h"
#include "orv/platform/Component.h"

namespace orv::i18n {

using TMissingIntegerValueEvent =
    std::function<void(platform::TComponent* Sender, const std::string& ValueName, int& defaultValue)>;
using TMissingStringValueEvent =
    std::function<void(platform::TComponent* Sender, const std::string& ValueName, std::string& defaultValue)>;

// Kinds for GetCount.
inline constexpr int kRegistryStringData = 1;
inline constexpr int kRegistryIntegerData = 2;

class TOrvRegistryData : public platform::TComponent {
 public:
  explicit TOrvRegistryData(platform::TComponent* owner = nullptr);
  // Saves the settings (SaveData) unless the component is being designed.
  ~TOrvRegistryData() override;

  const char* ClassName() const override { return "TOrvRegistryData"; }

  ISettingsStore* Store() const { return FStore; }
  void SetStore(ISettingsStore* store) { FStore = store; }

  const std::string& KeyName() const { return FKeyName; }
  void SetKeyName(const std::string& value) { FKeyName = value; }

  // The lines "name=value". Assigning drops lines without "=" and strips
  // blanks at both ends of the others; an integer line whose value is not a
  // decimal integer gets the value 0.
  const std::vector<std::string>& StringDataList() const { return FStringDataList; }
  void SetStringDataList(const std::vector<std::string>& lines);
  const std::vector<std::string>& IntegerDataList() const { return FIntegerDataList; }
  void SetIntegerDataList(const std::vector<std::string>& lines);

  TMissingIntegerValueEvent OnMissingIntegerValue;
  TMissingStringValueEvent OnMissingStringValue;

  // Reads every listed setting (creating the key when needed). False when
  // there is no store or key name, the key cannot be opened, or any setting
  // was missing or held a value of the other type; such a setting keeps its
  // list value (a missing one: the missing-value result).
  bool LoadData();
  // Writes every listed setting; false when there is no store or key name,
  // the key cannot be opened, or any write failed (the others are still
  // written).
  bool SaveData();

  // An existing name set to the empty text loses its line; a new name gets a
  // line even with an empty value.
  void SetStringData(const std::string& name, const std::string& value);
  void SetIntData(const std::string& name, int value);
  // The list value; empty for an unlisted name.
  std::string GetStringData(const std::string& name) const;
  // The list value as a decimal integer; 0 when unlisted or not a number.
  int GetIntData(const std::string& name) const;
  // Lines of StringDataList for kind 1, IntegerDataList for kind 2, else 0.
  int GetCount(int kind) const;

  // Removes the name's line; with fromRegistry and a key name, also deletes
  // the stored value (the key is not created for that).
  void DeleteStringValue(const std::string& name, bool fromRegistry);
  void DeleteIntegerValue(const std::string& name, bool fromRegistry);

  // The value a setting missing from the store gets: its list value, as the
  // missing-value handler leaves it.
  std::string DoMissingStringValue(const std::string& name);
  int DoMissingIntegerValue(const std::string& name);

 private:
  void DeleteStoredValue(const std::string& name);

  ISettingsStore* FStore = nullptr;
  std::string FKeyName;
  std::vector<std::string> FStringDataList;
  std::vector<std::string> FIntegerDataList;
};

// A decimal integer in 32-bit range, with an optional sign and nothing else;
// false otherwise.
bool TryParseDecimal(const std::string& text, int& value);

}  // namespace orv::i18n
