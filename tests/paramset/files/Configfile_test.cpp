#include "orv/paramset/Configfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "orv/items/Serialdata.h"
#include "orv/paramset/Lcefile.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/NumberText.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {
namespace {

namespace fs = std::filesystem;
using items::TOrvNumber;

// A data module of a few numbers without a connection (every write takes the
// value), recording what saving and loading ask of it.
class THost : public IConfigFileHost {
 public:
  THost() : FModule(std::make_unique<platform::TComponent>()) {}

  TOrvNumber& Add(const std::string& name, const std::string& section, const std::string& key, double def,
                  int group = 0) {
    auto* n = new TOrvNumber(FModule.get());  // owned by the module
    n->SetName(name);
    n->FileSection = section;
    n->FileKeyName = key;
    n->DefaultValue = def;
    n->DataGroup = group;
    n->ResetDefault(false);
    return *n;
  }
  // user value = raw * step
  static void Scale(TOrvNumber& n, double step) {
    n.Transformation = items::ttFormula;
    n.CoeffA = step;
    n.ResetDefault(false);
  }
  TOrvNumber& Number(const std::string& name) { return *dynamic_cast<TOrvNumber*>(FModule->FindComponent(name)); }

  platform::TComponent& Module() override { return *FModule; }
  std::string Text(int stringId) override { return "T" + std::to_string(stringId); }
  void OpenWaitWindow(const std::string& caption, const std::string& message) override {
    ++Opened;
    WaitOpen = true;
    Caption = caption;
    Message = message;
    CursorWhileOpen = platform::Screen().Cursor();
  }
  void SetWaitProgress(std::uint8_t percent, bool absolute) override {
    EXPECT_TRUE(WaitOpen);
    EXPECT_TRUE(absolute);
    Progress.push_back(percent);
  }
  void CloseWaitWindow() override { WaitOpen = false; }
  void ResetAllToDefaults() override {
    ++Resets;
    for (int i = 0; i < FModule->ComponentCount(); ++i) {
      if (auto* n = dynamic_cast<TOrvNumber*>(FModule->Components(i))) {
        const bool limits = n->DisableLimits;
        n->DisableLimits = true;
        n->ResetDefault(false);
        n->DisableLimits = limits;
      }
    }
  }

  int Opened = 0;
  bool WaitOpen = false;
  std::string Caption;
  std::string Message;
  platform::TCursor CursorWhileOpen = platform::crDefault;
  std::vector<int> Progress;
  int Resets = 0;

 private:
  std::unique_ptr<platform::TComponent> FModule;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Decoded(const fs::path& path) {
  const auto bytes = ReadFileBytes(path.string());
  if (!bytes) return "<unreadable>";
  return DecryptBytes(*bytes).value_or("<undecipherable>");
}

class ConfigfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    FDir = fs::temp_directory_path() /
           ("orv_configfile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override {
    platform::SetDecimalSeparator('\0');
    fs::remove_all(FDir);
  }
  std::string File(const std::string& name) const { return (FDir / name).string(); }
  void WriteEncrypted(const std::string& name, const std::string& text) {
    ASSERT_TRUE(EncryptTextToFile(text, File(name)));
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : FDialogs.Messages) texts.push_back(m.Text);
    return texts;
  }
  void ExpectErrorsCaptioned(const std::string& caption) const {
    for (const auto& m : FDialogs.Messages) {
      EXPECT_EQ(m.Caption, caption);
      EXPECT_EQ(m.Type, platform::TMsgDlgType::mtError);
    }
  }

  fs::path FDir;
  platform::TRecordingDialogs FDialogs;
  platform::TScopedDialogs FScoped{FDialogs};
  THost FHost;
};

TEST_F(ConfigfileTest, SaveWritesTheKeysInItemOrderWithSharedKeysOnce) {
  THost::Scale(FHost.Add("A", "CONFIGURAZIONE", "TEMPO", 0.55), 0.05);
  FHost.Add("First", "CONFIGURAZIONE", "SHARED", 3);
  FHost.Add("Second", "CONFIGURAZIONE", "SHARED", 7);
  FHost.Add("Cmd", "COMANDI", "RIPROGRAMMAZIONE", 0);
  FHost.Add("NoKey", "", "", 9);  // not part of files
  auto* live = new items::TOrvPacketData(&FHost.Module());
  live->SetName("Live");
  ASSERT_TRUE(SaveConfiguration(FHost, File("a.lce")));
  EXPECT_EQ(Decoded(FDir / "a.lce"),
            "[CONFIGURAZIONE]\r\nTEMPO=0.55\r\nSHARED=7\r\n\r\n[COMANDI]\r\nRIPROGRAMMAZIONE=0\r\n\r\n");
  EXPECT_TRUE(FDialogs.Messages.empty());
  EXPECT_EQ(FHost.Caption, "T96");
  EXPECT_EQ(FHost.Message, "T94");
  EXPECT_EQ(FHost.CursorWhileOpen, platform::crAppStart);
  EXPECT_FALSE(FHost.WaitOpen);
  EXPECT_EQ(platform::Screen().Cursor(), platform::crDefault);
  EXPECT_EQ(FHost.Progress, (std::vector<int>{0, 16, 33, 50, 66, 83}));
  // Nothing but the file itself is left in the folder: no plain copy.
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 1);
}

TEST_F(ConfigfileTest, SaveAndLoadGiveEveryValueBackAndSharedKeysTakeTheLaterValue) {
  FHost.Add("A", "CONFIGURAZIONE", "A", 1);
  FHost.Add("First", "CONFIGURAZIONE", "SHARED", 3);
  FHost.Add("Second", "CONFIGURAZIONE", "SHARED", 7);
  FHost.Add("G1", "CONFIGURAZIONE", "G1", 2, 1);
  FHost.Add("Cmd", "COMANDI", "RIPROGRAMMAZIONE", 0);
  const std::map<std::string, double> saved{{"A", 42}, {"First", 11}, {"Second", 99}, {"G1", 200}, {"Cmd", 1}};
  for (const auto& [name, value] : saved) ASSERT_TRUE(FHost.Number(name).SetData(value));
  ASSERT_TRUE(SaveConfiguration(FHost, File("a.lce")));
  FHost.ResetAllToDefaults();
  ASSERT_DOUBLE_EQ(FHost.Number("A").GetDouble(), 1);
  FHost.Resets = 0;
  ASSERT_TRUE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_EQ(FHost.Resets, 1);
  for (const auto& [name, value] : saved) {
    const double expected = name == "First" ? saved.at("Second") : value;
    EXPECT_DOUBLE_EQ(FHost.Number(name).GetDouble(), expected) << name;
  }
  EXPECT_TRUE(FDialogs.Messages.empty());
  EXPECT_EQ(FHost.Caption, "T95");
  EXPECT_EQ(FHost.Message, "T93");
}

TEST_F(ConfigfileTest, SaveWithAFailingItemWritesTheOthersAndListsIt) {
  FHost.Add("A", "S", "a", 1);
  FHost.Add("Broken", "S", "", 5);  // a section without a key cannot be written
  FHost.Add("Broken2", "", "k", 5);
  FHost.Add("B", "S", "b", 2);
  EXPECT_FALSE(SaveConfiguration(FHost, File("a.lce")));
  EXPECT_EQ(Decoded(FDir / "a.lce"), "[S]\r\na=1\r\nb=2\r\n\r\n");
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"It was impossible to save the following data::\nBroken\nBroken2\n"});
  ExpectErrorsCaptioned("T98");
  EXPECT_FALSE(FHost.WaitOpen);
}

TEST_F(ConfigfileTest, SaveToAFolderIsRefusedBeforeAnythingHappens) {
  FHost.Add("A", "S", "a", 1);
  fs::create_directories(FDir / "folder.lce");
  EXPECT_FALSE(SaveConfiguration(FHost, File("folder.lce")));
  EXPECT_FALSE(SaveConfiguration(FHost, (FDir / "missing" / "a.lce").string()));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"T97", "T97"}));
  ExpectErrorsCaptioned("T98");
  EXPECT_EQ(FHost.Opened, 0);
  EXPECT_TRUE(fs::is_directory(FDir / "folder.lce"));
}

TEST_F(ConfigfileTest, SaveReplacesAnExistingFile) {
  FHost.Add("A", "S", "a", 1);
  std::ofstream(FDir / "a.lce") << "old";
  ASSERT_TRUE(SaveConfiguration(FHost, File("a.lce")));
  EXPECT_EQ(Decoded(FDir / "a.lce"), "[S]\r\na=1\r\n\r\n");
}

TEST_F(ConfigfileTest, TwoSavesDifferAndBothLoad) {
  FHost.Add("A", "S", "a", 1);
  ASSERT_TRUE(FHost.Number("A").SetData(17));
  ASSERT_TRUE(SaveConfiguration(FHost, File("a.lce")));
  ASSERT_TRUE(SaveConfiguration(FHost, File("b.lce")));
  EXPECT_NE(ReadText(FDir / "a.lce"), ReadText(FDir / "b.lce"));
  for (const char* name : {"a.lce", "b.lce"}) {
    FHost.ResetAllToDefaults();
    ASSERT_TRUE(LoadConfiguration(FHost, File(name)));
    EXPECT_DOUBLE_EQ(FHost.Number("A").GetDouble(), 17) << name;
  }
}

TEST_F(ConfigfileTest, UnreadableItemEndsItsPassAndTheNextGroupIsStillRead) {
  FHost.Add("G0a", "S", "a", 1, 0);
  FHost.Add("G1a", "S", "c", 3, 1);
  FHost.Add("G0b", "S", "missing", 2, 0);
  FHost.Add("G0c", "S", "b", 4, 0);
  FHost.Add("G1b", "S", "d", 5, 1);
  WriteEncrypted("a.lce", "[S]\r\na=10\r\nb=20\r\nc=30\r\nd=40\r\n");
  EXPECT_FALSE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_DOUBLE_EQ(FHost.Number("G0a").GetDouble(), 10);
  EXPECT_DOUBLE_EQ(FHost.Number("G0b").GetDouble(), 2);
  EXPECT_DOUBLE_EQ(FHost.Number("G0c").GetDouble(), 4);  // after the failure: default
  EXPECT_DOUBLE_EQ(FHost.Number("G1a").GetDouble(), 30);
  EXPECT_DOUBLE_EQ(FHost.Number("G1b").GetDouble(), 40);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"It's impossible to read G0b"});
  ExpectErrorsCaptioned("T98");
  // Progress restarts at 0 for the second group and runs over every component.
  EXPECT_EQ(FHost.Progress, (std::vector<int>{0, 20, 40, 0, 20, 40, 60, 80}));
  EXPECT_FALSE(FHost.WaitOpen);
  EXPECT_EQ(platform::Screen().Cursor(), platform::crDefault);
}

TEST_F(ConfigfileTest, TextThatIsNotANumberIsUnreadable) {
  FHost.Add("A", "S", "a", 1);
  FHost.Add("B", "S", "b", 2);
  WriteEncrypted("a.lce", "[S]\r\na=12x\r\nb=5\r\n");
  EXPECT_FALSE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"It's impossible to read A"});
  EXPECT_DOUBLE_EQ(FHost.Number("B").GetDouble(), 2);
}

TEST_F(ConfigfileTest, LimitsAreOffWhileReadingAndPutBackAfterwards) {
  auto& limited = FHost.Add("Limited", "S", "l", 50);
  limited.SetMaxValue(100);
  auto& unlimited = FHost.Add("Free", "S", "f", 50);
  unlimited.SetMaxValue(100);
  unlimited.DisableLimits = true;
  WriteEncrypted("a.lce", "[S]\r\nl=200\r\nf=150\r\n");
  ASSERT_TRUE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_DOUBLE_EQ(limited.GetDouble(), 200);
  EXPECT_FALSE(limited.DisableLimits);
  EXPECT_DOUBLE_EQ(unlimited.GetDouble(), 150);
  EXPECT_TRUE(unlimited.DisableLimits);
  ASSERT_TRUE(limited.SetData(200));  // a user entry is still clamped
  EXPECT_DOUBLE_EQ(limited.GetDouble(), 100);
}

TEST_F(ConfigfileTest, ReadOnlyItemsAreNotRead) {
  auto& ro = FHost.Add("Ro", "S", "r", 5);
  ro.ReadOnly = true;
  FHost.Add("B", "S", "b", 2);
  WriteEncrypted("a.lce", "[S]\r\nb=9\r\n");  // no key for the read-only item
  EXPECT_TRUE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_DOUBLE_EQ(ro.GetDouble(), 5);
  EXPECT_DOUBLE_EQ(FHost.Number("B").GetDouble(), 9);
}

TEST_F(ConfigfileTest, ForeignHeaderAndOtherSeparatorLoad) {
  THost::Scale(FHost.Add("A", "S", "a", 1), 0.5);
  auto file = EncryptToBytes("; written elsewhere\r\n[ s ]\r\n  a = 0,5 \r\n[Other]\r\nx=1\r\n");
  ASSERT_TRUE(file.has_value());
  for (std::size_t i = 0; i < LceHeaderSize; ++i) (*file)[i] = 'X';
  WriteBytes(FDir / "a.lce", *file);
  EXPECT_TRUE(LoadConfiguration(FHost, File("a.lce")));
  EXPECT_DOUBLE_EQ(FHost.Number("A").GetDouble(), 0.5);
  EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(ConfigfileTest, UndecipherableFilesLeaveTheItemsUntouched) {
  FHost.Add("A", "S", "a", 1);
  ASSERT_TRUE(FHost.Number("A").SetData(33));
  WriteBytes(FDir / "short.lce", std::vector<std::uint8_t>(165, 0));
  EXPECT_FALSE(LoadConfiguration(FHost, File("short.lce")));
  EXPECT_FALSE(LoadConfiguration(FHost, File("missing.lce")));
  EXPECT_FALSE(LoadConfiguration(FHost, FDir.string()));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"T99", "T99", "T99"}));
  ExpectErrorsCaptioned("T98");
  EXPECT_EQ(FHost.Resets, 0);
  EXPECT_EQ(FHost.Opened, 0);
  EXPECT_DOUBLE_EQ(FHost.Number("A").GetDouble(), 33);
}

TEST_F(ConfigfileTest, HeaderOnlyFileReportsTheFirstItemOfEachGroup) {
  FHost.Add("G0a", "S", "a", 1, 0);
  FHost.Add("G0b", "S", "b", 2, 0);
  FHost.Add("G1a", "S", "c", 3, 1);
  ASSERT_TRUE(FHost.Number("G0b").SetData(50));
  WriteEncrypted("empty.lce", "");
  ASSERT_EQ(fs::file_size(FDir / "empty.lce"), 166u);
  EXPECT_FALSE(LoadConfiguration(FHost, File("empty.lce")));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"It's impossible to read G0a", "It's impossible to read G1a"}));
  EXPECT_DOUBLE_EQ(FHost.Number("G0b").GetDouble(), 2);  // the default again
}

}  // namespace
}  // namespace orv::paramset
