#include "orv/platform/IniStore.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "orv/platform/Component.h"
#include "orv/platform/NumberText.h"

namespace orv::platform {
namespace {

// Sections and keys kept in order of first writing; names compare without case.
class TMapIniFile final : public TCustomIniFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) override {
    const auto* s = Find(section);
    if (s == nullptr) return def;
    for (const auto& [k, v] : *s)
      if (SameName(k, key)) return v;
    return def;
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    auto* s = Find(section);
    if (s == nullptr) {
      FSections.push_back({section, {}});
      s = &FSections.back().second;
    }
    for (auto& [k, v] : *s) {
      if (SameName(k, key)) {
        v = value;
        return;
      }
    }
    s->push_back({key, value});
  }
  void ReadSection(const std::string& section, std::vector<std::string>& names) override {
    names.clear();
    if (const auto* s = Find(section))
      for (const auto& kv : *s) names.push_back(kv.first);
  }
  void ReadSections(std::vector<std::string>& names) override {
    names.clear();
    for (const auto& s : FSections) names.push_back(s.first);
  }
  void ReadSectionValues(const std::string& section, std::vector<std::string>& lines) override {
    lines.clear();
    if (const auto* s = Find(section))
      for (const auto& [k, v] : *s) lines.push_back(k + "=" + v);
  }
  void EraseSection(const std::string&) override {}
  void DeleteKey(const std::string&, const std::string&) override {}
  void UpdateFile() override {}

 private:
  using Keys = std::vector<std::pair<std::string, std::string>>;
  Keys* Find(const std::string& section) {
    for (auto& s : FSections)
      if (SameName(s.first, section)) return &s.second;
    return nullptr;
  }
  std::vector<std::pair<std::string, Keys>> FSections;
};

class IniStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDecimalSeparator(','); }
  void TearDown() override { SetDecimalSeparator('\0'); }
  TMapIniFile Ini;
};

TEST_F(IniStoreTest, ExistenceIgnoresCase) {
  Ini.WriteString("CONFIGURAZIONE", "DataMask", "7");
  EXPECT_TRUE(Ini.SectionExists("configurazione"));
  EXPECT_FALSE(Ini.SectionExists("COMANDI"));
  EXPECT_TRUE(Ini.ValueExists("Configurazione", "DATAMASK"));
  EXPECT_FALSE(Ini.ValueExists("CONFIGURAZIONE", "Other"));
  EXPECT_FALSE(Ini.ValueExists("COMANDI", "DataMask"));
}

TEST_F(IniStoreTest, FloatsUseTheSystemSeparatorAndFallBack) {
  Ini.WriteFloat("S", "A", 2.5);
  Ini.WriteFloat("S", "B", 0.1 + 0.2);
  EXPECT_EQ(Ini.ReadString("S", "A", ""), "2,5");
  EXPECT_EQ(Ini.ReadString("S", "B", ""), "0,3");
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "A", -1.0), 2.5);
  Ini.WriteString("S", "Dot", "2.5");
  Ini.WriteString("S", "Junk", "abc");
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Dot", -1.0), -1.0);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Junk", -1.0), -1.0);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Missing", 4.0), 4.0);
}

TEST_F(IniStoreTest, IntegersAndBooleans) {
  Ini.WriteInteger("S", "N", -42);
  EXPECT_EQ(Ini.ReadString("S", "N", ""), "-42");
  EXPECT_EQ(Ini.ReadInteger("S", "N", 0), -42);
  Ini.WriteString("S", "Hex", "0x1F");
  Ini.WriteString("S", "Bad", "12x");
  EXPECT_EQ(Ini.ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(Ini.ReadInteger("S", "Bad", 5), 5);
  EXPECT_EQ(Ini.ReadInteger("S", "Missing", 6), 6);
  Ini.WriteBool("S", "T", true);
  Ini.WriteBool("S", "F", false);
  Ini.WriteString("S", "Two", "2");
  EXPECT_TRUE(Ini.ReadBool("S", "T", false));
  EXPECT_FALSE(Ini.ReadBool("S", "F", true));
  EXPECT_TRUE(Ini.ReadBool("S", "Two", false));
  EXPECT_TRUE(Ini.ReadBool("S", "Missing", true));
  EXPECT_FALSE(Ini.ReadBool("S", "Bad", false));
}

}  // namespace
}  // namespace orv::platform
