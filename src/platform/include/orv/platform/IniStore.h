#pragma once
// The platform's abstract INI file: named sections holding lines of a name,
// "=" and a value. Items read and write their configuration-file keys
// through it; the in-memory store of configuration files implements it.
//
// Typed values: a float is written in the general number format (at most 15
// significant digits, the system decimal separator) and read with the number
// parser, giving the default when the text does not parse; an integer is
// written in decimal and read in decimal or, with a "0x"/"0X" prefix,
// hexadecimal, giving the default otherwise.

#include <string>
#include <vector>

namespace orv::platform {

class TCustomIniFile {
 public:
  virtual ~TCustomIniFile() = default;

  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
  virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
  // names of the keys of a section, in order (empty when it does not exist)
  virtual void ReadSection(const std::string& section, std::vector<std::string>& names) = 0;
  virtual void ReadSections(std::vector<std::string>& names) = 0;
  virtual void ReadSectionValues(const std::string& section, std::vector<std::string>& lines) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& key) = 0;
  virtual void UpdateFile() = 0;

  // Typed access built on the operations above.
  virtual bool SectionExists(const std::string& section);
  virtual bool ValueExists(const std::string& section, const std::string& key);
  virtual long ReadInteger(const std::string& section, const std::string& key, long defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& key, long value);
  virtual double ReadFloat(const std::string& section, const std::string& key, double defaultValue);
  virtual void WriteFloat(const std::string& section, const std::string& key, double value);
  virtual bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& key, bool value);
};

}  // namespace orv::platform
