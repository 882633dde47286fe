#include "orv/paramset/Orvmeminifile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "orv/platform/NumberText.h"

namespace orv::paramset {

namespace {

// Blanks and control characters, as the INI reader trims them; bytes of
// 128 and above are text.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void StoreLength(std::uint8_t* at, std::uint32_t n) {
  at[0] = static_cast<std::uint8_t>(n);
  at[1] = static_cast<std::uint8_t>(n >> 8);
  at[2] = static_cast<std::uint8_t>(n >> 16);
  at[3] = static_cast<std::uint8_t>(n >> 24);
}

std::uint32_t LoadLength(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// CR, LF and CR LF each end a line; a last line without an end counts.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      ++i;
      if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace

TIniBuffer MakeIniBuffer(std::string_view text, bool trailingNul) {
  TIniBuffer buffer;
  buffer.Size = text.size() + 4 + (trailingNul ? 1 : 0);
  buffer.Data = std::make_unique<std::uint8_t[]>(buffer.Size);  // zero-filled: the NUL is there
  StoreLength(buffer.Data.get(), static_cast<std::uint32_t>(text.size()));
  if (!text.empty()) std::memcpy(buffer.Data.get() + 4, text.data(), text.size());
  return buffer;
}

std::string IniBufferText(const TIniBuffer& buffer) {
  if (!buffer.Data || buffer.Size < 4) return {};
  const std::size_t n = std::min<std::size_t>(LoadLength(buffer.Data.get()), buffer.Size - 4);
  return std::string(reinterpret_cast<const char*>(buffer.Data.get()) + 4, n);
}

// --- THashedStringList ---

void THashedStringList::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  Invalidate();
}

void THashedStringList::Add(std::string line) {
  FStrings.push_back(std::move(line));
  Invalidate();
}

void THashedStringList::Put(int index, std::string line) {
  FStrings.at(static_cast<std::size_t>(index)) = std::move(line);
  Invalidate();
}

void THashedStringList::Delete(int index) {
  FStrings.erase(FStrings.begin() + index);
  Invalidate();
}

void THashedStringList::Clear() {
  FStrings.clear();
  Invalidate();
}

std::string_view THashedStringList::NameOf(std::string_view line) {
  const auto eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view{} : line.substr(0, eq);
}

std::string THashedStringList::Fold(std::string_view s) const {
  std::string folded(s);
  if (!FCaseSensitive) std::transform(folded.begin(), folded.end(), folded.begin(), LowerAscii);
  return folded;
}

void THashedStringList::Invalidate() {
  FIndexValid = false;
  FByText.clear();
  FByName.clear();
}

void THashedStringList::BuildIndex() const {
  if (FIndexValid) return;
  FByText.clear();
  FByName.clear();
  // The first of equal entries wins, as a linear search would find it.
  for (int i = 0; i < static_cast<int>(FStrings.size()); ++i) {
    const std::string& line = FStrings[static_cast<std::size_t>(i)];
    FByText.emplace(Fold(line), i);
    if (line.find('=') != std::string::npos) FByName.emplace(Fold(NameOf(line)), i);
  }
  FIndexValid = true;
}

int THashedStringList::IndexOf(std::string_view s) const {
  BuildIndex();
  const auto it = FByText.find(Fold(s));
  return it == FByText.end() ? -1 : it->second;
}

int THashedStringList::IndexOfName(std::string_view name) const {
  BuildIndex();
  const auto it = FByName.find(Fold(name));
  return it == FByName.end() ? -1 : it->second;
}

// --- TMemIniData ---

TMemIniData::TMemIniData(TIniBuffer* buffer) : FBuffer(buffer) { LoadValues(); }

TMemIniData::~TMemIniData() { Clear(); }

void TMemIniData::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  FSectionNames.SetCaseSensitive(value);
  for (auto& section : FSections) section.Lines->SetCaseSensitive(value);
}

void TMemIniData::LoadValues() {
  if (FBuffer != nullptr && FBuffer->Data) {
    SetStrings(SplitLines(IniBufferText(*FBuffer)));
  } else {
    Clear();
  }
}

void TMemIniData::SetStrings(const std::vector<std::string>& lines) {
  Clear();
  THashedStringList* current = nullptr;
  for (const auto& raw : lines) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(std::string(Trim(line.substr(1, line.size() - 2))));
      continue;
    }
    if (current == nullptr) continue;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->Add(std::string(line));
    } else {
      std::string stored(Trim(line.substr(0, eq)));
      stored += '=';
      stored += line.substr(eq + 1);
      current->Add(std::move(stored));
    }
  }
}

void TMemIniData::GetStrings(std::vector<std::string>& lines) const {
  for (const auto& section : FSections) {
    lines.push_back("[" + section.Name + "]");
    const auto& body = section.Lines->Lines();
    lines.insert(lines.end(), body.begin(), body.end());
    lines.emplace_back();
  }
}

std::string TMemIniData::Text() const {
  std::vector<std::string> lines;
  GetStrings(lines);
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

int TMemIniData::IndexOfSection(const std::string& name) const { return FSectionNames.IndexOf(name); }

TMemIniData::TSection* TMemIniData::FindSection(const std::string& name) {
  const int index = IndexOfSection(name);
  return index < 0 ? nullptr : &FSections[static_cast<std::size_t>(index)];
}

std::string TMemIniData::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  const TSection* s = FindSection(section);
  if (s == nullptr) return defaultValue;
  const int index = s->Lines->IndexOfName(key);
  if (index < 0) return defaultValue;
  const std::string& line = s->Lines->Strings(index);
  // The matched name has the key's length; the value follows its "=".
  return key.size() + 1 <= line.size() ? line.substr(key.size() + 1) : std::string{};
}

void TMemIniData::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  TSection* s = FindSection(section);
  THashedStringList& lines = s != nullptr ? *s->Lines : AddSection(section);
  std::string line = key + "=" + value;
  const int index = lines.IndexOfName(key);
  if (index >= 0) {
    lines.Put(index, std::move(line));
  } else {
    lines.Add(std::move(line));
  }
  FModified = true;
}

void TMemIniData::ReadSection(const std::string& section, std::vector<std::string>& names) {
  names.clear();
  const TSection* s = FindSection(section);
  if (s == nullptr) return;
  for (const auto& line : s->Lines->Lines()) names.emplace_back(THashedStringList::NameOf(line));
}

void TMemIniData::ReadSections(std::vector<std::string>& names) {
  names.clear();
  for (const auto& section : FSections) names.push_back(section.Name);
}

void TMemIniData::ReadSectionValues(const std::string& section, std::vector<std::string>& lines) {
  lines.clear();
  const TSection* s = FindSection(section);
  if (s != nullptr) lines = s->Lines->Lines();
}

void TMemIniData::EraseSection(const std::string& section) {
  const int index = IndexOfSection(section);
  if (index < 0) return;
  FSections.erase(FSections.begin() + index);
  FSectionNames.Delete(index);
  FModified = true;
}

void TMemIniData::DeleteKey(const std::string& section, const std::string& key) {
  TSection* s = FindSection(section);
  if (s == nullptr) return;
  const int index = s->Lines->IndexOfName(key);
  if (index < 0) return;
  s->Lines->Delete(index);
  FModified = true;
}

void TMemIniData::Clear() {
  FSections.clear();
  FSectionNames.Clear();
  FModified = true;
}

THashedStringList& TMemIniData::AddSection(const std::string& name) {
  auto lines = std::make_unique<THashedStringList>();
  lines->SetCaseSensitive(FCaseSensitive);
  FSections.push_back({name, std::move(lines)});
  FSectionNames.Add(name);
  FModified = true;
  return *FSections.back().Lines;
}

void TMemIniData::UpdateFile() {
  if (FBuffer == nullptr) return;
  // The store is always marked modified, so the buffer is always rewritten.
  *FBuffer = MakeIniBuffer(Text(), true);
}

double TMemIniData::ReadFloat(const std::string& section, const std::string& key, double defaultValue) {
  const std::string text = ReadString(section, key, "");
  if (text.empty()) return defaultValue;
  const char local = platform::DecimalSeparator();
  if (const auto value = platform::TryStrToFloat(text, local)) return *value;
  // A file written where the other separator is the system's.
  const char other = local == ',' ? '.' : ',';
  if (const auto value = platform::TryStrToFloat(text, other)) return *value;
  return defaultValue;
}

bool TMemIniData::SaveToFile(const std::string& fileName) const {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = Text();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace orv::paramset
