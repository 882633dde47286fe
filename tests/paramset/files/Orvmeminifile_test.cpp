#include "orv/paramset/Orvmeminifile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "orv/platform/NumberText.h"

namespace orv::paramset {
namespace {

std::vector<std::string> Sections(TMemIniData& ini) {
  std::vector<std::string> names;
  ini.ReadSections(names);
  return names;
}

std::vector<std::string> Values(TMemIniData& ini, const std::string& section) {
  std::vector<std::string> lines;
  ini.ReadSectionValues(section, lines);
  return lines;
}

class TSeparatorGuard {
 public:
  explicit TSeparatorGuard(char separator) { platform::SetDecimalSeparator(separator); }
  ~TSeparatorGuard() { platform::SetDecimalSeparator('\0'); }
};

TEST(TMemIniData, ParsesSectionsKeysCommentsAndBareLines) {
  TIniBuffer buffer = MakeIniBuffer("[A]\r\nk = 1\n; comment\rx");
  TMemIniData ini(&buffer);
  EXPECT_EQ(Sections(ini), std::vector<std::string>{"A"});
  EXPECT_EQ(Values(ini, "A"), (std::vector<std::string>{"k= 1", "x"}));
  EXPECT_EQ(ini.ReadString("a", "K", "none"), " 1");  // no case, the blank after "=" kept
  EXPECT_TRUE(ini.Modified());
}

TEST(TMemIniData, IgnoresLinesBeforeTheFirstSectionAndTrimsHeaders) {
  TIniBuffer buffer = MakeIniBuffer("orphan=1\r\n\t[  Sezione Uno  ]  \r\n  chiave  =valore  \r\n\r\n");
  TMemIniData ini(&buffer);
  EXPECT_EQ(Sections(ini), std::vector<std::string>{"Sezione Uno"});
  EXPECT_EQ(Values(ini, "Sezione Uno"), std::vector<std::string>{"chiave=valore"});
  EXPECT_EQ(ini.ReadString("", "orphan", "-"), "-");
}

TEST(TMemIniData, NullBufferGivesAnEmptyStore) {
  TIniBuffer buffer;
  TMemIniData ini(&buffer);
  EXPECT_TRUE(Sections(ini).empty());
  EXPECT_EQ(ini.ReadString("A", "k", "def"), "def");
  TMemIniData noAddress(nullptr);
  EXPECT_TRUE(Sections(noAddress).empty());
  noAddress.UpdateFile();  // nothing to write back into
}

TEST(TMemIniData, LengthFieldBeyondTheAllocationIsClamped) {
  TIniBuffer buffer = MakeIniBuffer("[A]\r\nk=1", false);
  buffer.Data[0] = 0xFF;  // claims far more text than was allocated
  buffer.Data[1] = 0xFF;
  TMemIniData ini(&buffer);
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
}

TEST(TMemIniData, WriteStringReplacesInPlaceAppendsKeysAndSections) {
  TIniBuffer buffer = MakeIniBuffer("[A]\r\na=1\r\nb=2\r\n[B]\r\nc=3\r\n");
  TMemIniData ini(&buffer);
  ini.WriteString("a", "A", "10");
  ini.WriteString("A", "new", "4");
  ini.WriteString("C", "d", "5");
  EXPECT_EQ(Values(ini, "A"), (std::vector<std::string>{"A=10", "b=2", "new=4"}));
  EXPECT_EQ(Sections(ini), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(ini.ReadString("C", "d", ""), "5");
}

TEST(TMemIniData, CaseSensitivityAppliesToSectionsAndKeys) {
  TIniBuffer buffer = MakeIniBuffer("[Sec]\r\nKey=1\r\n");
  TMemIniData ini(&buffer);
  ini.SetCaseSensitive(true);
  EXPECT_EQ(ini.ReadString("sec", "Key", "-"), "-");
  EXPECT_EQ(ini.ReadString("Sec", "key", "-"), "-");
  EXPECT_EQ(ini.ReadString("Sec", "Key", "-"), "1");
  ini.WriteString("Sec", "key", "2");  // a different key now
  EXPECT_EQ(Values(ini, "Sec"), (std::vector<std::string>{"Key=1", "key=2"}));
  ini.SetCaseSensitive(false);
  EXPECT_EQ(ini.ReadString("SEC", "KEY", "-"), "1");  // the first of the two
}

TEST(TMemIniData, RepeatedHeaderAddsASecondSectionAndLookupFindsTheFirst) {
  TIniBuffer buffer = MakeIniBuffer("[A]\r\nk=1\r\n[a]\r\nk=2\r\n");
  TMemIniData ini(&buffer);
  EXPECT_EQ(Sections(ini), (std::vector<std::string>{"A", "a"}));
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  ini.EraseSection("A");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "2");
}

TEST(TMemIniData, ReadSectionGivesNamesAndEraseDeleteClearChangeTheStore) {
  TIniBuffer buffer = MakeIniBuffer("[A]\r\nk=1\r\nbare\r\nm=2\r\n[B]\r\nz=0\r\n");
  TMemIniData ini(&buffer);
  std::vector<std::string> names{"stale"};
  ini.ReadSection("A", names);
  EXPECT_EQ(names, (std::vector<std::string>{"k", "", "m"}));
  ini.ReadSection("missing", names);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(ini.ValueExists("A", "m"));
  ini.DeleteKey("A", "k");
  ini.DeleteKey("A", "absent");
  EXPECT_FALSE(ini.ValueExists("A", "k"));
  EXPECT_EQ(Values(ini, "A"), (std::vector<std::string>{"bare", "m=2"}));
  ini.EraseSection("B");
  ini.EraseSection("absent");
  EXPECT_EQ(Sections(ini), std::vector<std::string>{"A"});
  ini.Clear();
  EXPECT_TRUE(Sections(ini).empty());
  auto& added = ini.AddSection("N");
  added.Add("q=1");
  EXPECT_EQ(ini.ReadString("N", "q", ""), "1");
}

TEST(TMemIniData, UpdateFileWritesTheFormattedTextIntoANewBuffer) {
  TIniBuffer buffer = MakeIniBuffer(";c\r\n[A]\r\n k =1\r\n[B]\r\n");
  const std::uint8_t* old = buffer.Data.get();
  TMemIniData ini(&buffer);
  ini.WriteString("B", "x", "y");
  ini.UpdateFile();
  const std::string expected = "[A]\r\nk=1\r\n\r\n[B]\r\nx=y\r\n\r\n";
  ASSERT_NE(buffer.Data.get(), old);
  ASSERT_EQ(buffer.Size, expected.size() + 5);
  EXPECT_EQ(buffer.Data[0], expected.size());
  EXPECT_EQ(buffer.Data[1], 0);
  EXPECT_EQ(buffer.Data[2], 0);
  EXPECT_EQ(buffer.Data[3], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.Data.get()) + 4, expected.size()), expected);
  EXPECT_EQ(buffer.Data[buffer.Size - 1], 0);
  EXPECT_EQ(IniBufferText(buffer), expected);
}

TEST(TMemIniData, LengthIsLittleEndianInFourBytes) {
  const std::string text(300, 'a');
  const TIniBuffer buffer = MakeIniBuffer(text, false);
  ASSERT_EQ(buffer.Size, 304u);
  EXPECT_EQ(buffer.Data[0], 300 & 0xFF);
  EXPECT_EQ(buffer.Data[1], 300 >> 8);
  EXPECT_EQ(IniBufferText(buffer), text);
}

TEST(TMemIniData, SaveToFileWritesThePlainLines) {
  TIniBuffer buffer = MakeIniBuffer("[A]\nk=1\n");
  TMemIniData ini(&buffer);
  const auto path = std::filesystem::temp_directory_path() / "orv_memini_save.ini";
  ASSERT_TRUE(ini.SaveToFile(path.string()));
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "[A]\r\nk=1\r\n\r\n");
  std::filesystem::remove(path);
  EXPECT_FALSE(ini.SaveToFile((std::filesystem::temp_directory_path() / "no_such_dir" / "x.ini").string()));
}

struct TFloatCase {
  char systemSeparator;
  const char* text;
  double expected;  // the default 7.5 when the text is no number
};

class TMemIniDataFloat : public ::testing::TestWithParam<TFloatCase> {};

TEST_P(TMemIniDataFloat, ReadsBothDecimalSeparators) {
  const TFloatCase& c = GetParam();
  TSeparatorGuard separator(c.systemSeparator);
  TIniBuffer buffer = MakeIniBuffer(std::string("[S]\r\nv=") + c.text + "\r\n");
  TMemIniData ini(&buffer);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "v", 7.5), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Separators, TMemIniDataFloat,
                         ::testing::Values(TFloatCase{'.', "0.55", 0.55}, TFloatCase{'.', "0,55", 0.55},
                                           TFloatCase{',', "0,55", 0.55}, TFloatCase{',', "0.55", 0.55},
                                           TFloatCase{'.', "-12000", -12000.0}, TFloatCase{',', "1E20", 1e20},
                                           TFloatCase{'.', "abc", 7.5}, TFloatCase{'.', "", 7.5},
                                           TFloatCase{',', "1.2.3", 7.5}, TFloatCase{'.', "1,5,0", 7.5}));

TEST(TMemIniData, TypedAccessWritesTheSystemSeparatorAndReadsIntegers) {
  TSeparatorGuard separator(',');
  TIniBuffer buffer;
  TMemIniData ini(&buffer);
  ini.WriteFloat("S", "f", 0.4);
  ini.WriteInteger("S", "i", -17);
  EXPECT_EQ(ini.ReadString("S", "f", ""), "0,4");
  EXPECT_EQ(ini.ReadInteger("S", "i", 0), -17);
  ini.WriteString("S", "h", "0x1F");
  EXPECT_EQ(ini.ReadInteger("S", "h", 0), 31);
  ini.WriteString("S", "bad", "12a");
  EXPECT_EQ(ini.ReadInteger("S", "bad", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "absent", 6), 6);
}

}  // namespace
}  // namespace orv::paramset
