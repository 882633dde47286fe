#pragma once
// Saving and loading the whole parameter set as an enciphered configuration
// file. The data module implements IConfigFileHost; the functions walk its
// components in catalogue order and use the data items' configuration-file
// keys (WriteToFile / ReadFromFile).
//
// Messages go through platform::Dialogs() (error type), the cursor through
// platform::Screen(). Texts by string id: 93 wait label while loading, 94
// while saving, 95 wait caption while loading, 96 while saving, 97 the
// existing file cannot be replaced, 98 caption of error messages, 99 the file
// cannot be enciphered or deciphered.
//
// Main thread only; the caller stops the refresher first, since loading
// writes to the ECU through the items when the link is open.

#include <cstdint>
#include <span>
#include <string>

#include "orv/platform/Component.h"

namespace orv::paramset {

// What saving and loading need of the data module.
class IConfigFileHost {
 public:
  virtual ~IConfigFileHost() = default;
  // The component whose owned components are the catalogue, in order.
  virtual platform::TComponent& Module() = 0;
  // The translated text with this string id.
  virtual std::string Text(int stringId) = 0;
  // Opens the wait window (and sets the wait-window reference) with this
  // caption and message, progress 0, shown and painted.
  virtual void OpenWaitWindow(const std::string& caption, const std::string& message) = 0;
  // Progress of the open wait window (absolute: set, else add).
  virtual void SetWaitProgress(std::uint8_t percent, bool absolute) = 0;
  // Frees the wait window and clears the reference; harmless when none.
  virtual void CloseWaitWindow() = 0;
  // Every item takes its default value, without writing to the ECU.
  virtual void ResetAllToDefaults() = 0;
};

// Writes every data item except packet items into INI text (in memory),
// enciphers it and replaces fileName by the complete new file. True when
// every item wrote its key and the file was written; a failing item is
// listed in a message after the file has been written with the other
// values. False, with text 97, when fileName cannot be replaced (nothing
// written); a cipher or write failure shows text 99, leaves an existing file
// as it was and gives false.
bool SaveConfiguration(IConfigFileHost& host, const std::string& fileName);

// Deciphers fileName and reads every data item that is not ReadOnly, data
// group 0 first, then group 1, limits off while each value is read. Every
// item first takes its default. True when every item was read. A file that
// cannot be deciphered gives text 99 and false with the items untouched; an
// item that cannot be read gives "It's impossible to read " + its name, ends
// that group's pass and the result is false.
bool LoadConfiguration(IConfigFileHost& host, const std::string& fileName);

// LoadConfiguration on the bytes of a whole file.
bool LoadConfigurationFromBytes(IConfigFileHost& host, std::span<const std::uint8_t> fileBytes);

}  // namespace orv::paramset
