#pragma once
// TMemIniData: an INI store on a text buffer in memory. The configuration
// file loader deciphers a file into such a buffer and lets the items read
// their keys from it, so the plain text never reaches the disk.
//
// Buffer layout: a 32-bit little-endian length n, then the n text bytes
// (a NUL may follow). TIniBuffer carries the allocation size as well, so a
// length field larger than the allocation is clamped instead of read past.
//
// Sections and lines: an ordered list of sections, each an ordered list of
// lines "name=value" (or a line without "=" as it was read). Names compare
// without case unless CaseSensitive. Every change sets the modified flag;
// construction loads the buffer and so sets it too.
//
// Floating-point reads accept both "." and "," as the decimal separator, so
// files written on a machine with the other separator still read; writes use
// the system separator.
//
// Main thread only; not bound to a file (the base's file name is empty).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "orv/platform/IniStore.h"

namespace orv::paramset {

struct TIniBuffer {
  std::unique_ptr<std::uint8_t[]> Data;  // null: an empty store
  std::size_t Size = 0;                  // bytes allocated at Data
};

// A buffer holding text: length, text and, with trailingNul, a NUL
// (n + 5 bytes; n + 4 without).
TIniBuffer MakeIniBuffer(std::string_view text, bool trailingNul = true);
// The text of a buffer: its length field, clamped to the bytes allocated.
std::string IniBufferText(const TIniBuffer& buffer);

// A list of strings with an index by name ("name=value" lines) that is
// rebuilt on demand after a change.
class THashedStringList {
 public:
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  int Count() const { return static_cast<int>(FStrings.size()); }
  const std::string& Strings(int index) const { return FStrings.at(static_cast<std::size_t>(index)); }
  const std::vector<std::string>& Lines() const { return FStrings; }

  void Add(std::string line);
  void Put(int index, std::string line);
  void Delete(int index);
  void Clear();

  // First line whose whole text equals s; -1 when none.
  int IndexOf(std::string_view s) const;
  // First line whose name part equals name; -1 when none.
  int IndexOfName(std::string_view name) const;
  // The text before the first "=", or empty for a line without "=".
  static std::string_view NameOf(std::string_view line);

 private:
  std::string Fold(std::string_view s) const;
  void Invalidate();
  void BuildIndex() const;

  std::vector<std::string> FStrings;
  bool FCaseSensitive = false;
  mutable bool FIndexValid = false;
  mutable std::unordered_map<std::string, int> FByText;
  mutable std::unordered_map<std::string, int> FByName;
};

class TMemIniData : public platform::TCustomIniFile {
 public:
  // Keeps the address of the caller's buffer (may be null: an empty store
  // that UpdateFile cannot write back) and loads it. The buffer stays the
  // caller's; UpdateFile replaces it.
  explicit TMemIniData(TIniBuffer* buffer);
  ~TMemIniData() override;

  TMemIniData(const TMemIniData&) = delete;
  TMemIniData& operator=(const TMemIniData&) = delete;

  const std::string& FileName() const { return FFileName; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  bool Modified() const { return FModified; }

  // Re-reads the caller's buffer (a null buffer clears the store).
  void LoadValues();
  // Replaces the whole content by the parsed lines.
  void SetStrings(const std::vector<std::string>& lines);
  // Appends the whole content: per section "[name]", its lines, one empty line.
  void GetStrings(std::vector<std::string>& lines) const;
  // The content as one text, every line followed by CR LF.
  std::string Text() const;

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
  void ReadSection(const std::string& section, std::vector<std::string>& names) override;
  void ReadSections(std::vector<std::string>& names) override;
  void ReadSectionValues(const std::string& section, std::vector<std::string>& lines) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& key) override;
  // Writes the content back into the caller's buffer: a new buffer of
  // n + 5 bytes (length, text with CR LF line ends, NUL) replaces the old.
  void UpdateFile() override;
  double ReadFloat(const std::string& section, const std::string& key, double defaultValue) override;

  void Clear();
  // Appends a new empty section (also when one of that name exists).
  THashedStringList& AddSection(const std::string& name);
  // Writes the lines of GetStrings to a plain text file (CR LF); false when
  // the file cannot be written.
  bool SaveToFile(const std::string& fileName) const;

 private:
  struct TSection {
    std::string Name;
    std::unique_ptr<THashedStringList> Lines;
  };
  TSection* FindSection(const std::string& name);
  int IndexOfSection(const std::string& name) const;

  TIniBuffer* FBuffer;
  std::string FFileName;
  bool FCaseSensitive = false;
  bool FModified = false;
  THashedStringList FSectionNames;  // parallel to FSections, for the hashed look-up
  std::vector<TSection> FSections;
};

}  // namespace orv::paramset
