#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "orv/i18n/Orvregistrydata.h"

namespace orv::i18n {
namespace {

const std::string kKey = "software\\orv srl\\QVN208";

class OrvRegistryDataTest : public ::testing::Test {
 protected:
  // The program's instance: one integer setting, Language=0.
  std::unique_ptr<TOrvRegistryData> MakeProgramSettings() {
    auto data = std::make_unique<TOrvRegistryData>();
    data->SetKeyName(kKey);
    data->SetIntegerDataList({"Language=0"});
    data->SetStore(&Store);
    return data;
  }
  std::int32_t StoredInt(const std::string& name) const {
    const auto* value = Store.Find(kKey, name);
    return value != nullptr && std::holds_alternative<std::int32_t>(*value) ? std::get<std::int32_t>(*value) : -999;
  }

  TMemorySettingsStore Store;
};

TEST_F(OrvRegistryDataTest, FirstRunCreatesTheKeyAndKeepsTheDesignValue) {
  auto data = MakeProgramSettings();
  EXPECT_FALSE(data->LoadData());
  EXPECT_TRUE(Store.HasKey(kKey));
  EXPECT_EQ(data->GetIntData("Language"), 0);
  EXPECT_EQ(data->IntegerDataList(), std::vector<std::string>{"Language=0"});
  EXPECT_FALSE(Store.IsOpen());
}

TEST_F(OrvRegistryDataTest, StoredValueIsReadIntoTheList) {
  Store.Put(kKey, "Language", std::int32_t{2});
  auto data = MakeProgramSettings();
  EXPECT_TRUE(data->LoadData());
  EXPECT_EQ(data->IntegerDataList(), std::vector<std::string>{"Language=2"});
  EXPECT_EQ(data->GetIntData("Language"), 2);
  EXPECT_EQ(data->GetIntData("language"), 2);
}

TEST_F(OrvRegistryDataTest, NewIntegerSettingIsAppendedAndSaved) {
  auto data = MakeProgramSettings();
  data->SetIntData("Zoom", 3);
  data->SetIntData("Language", 1);
  EXPECT_EQ(data->IntegerDataList(), (std::vector<std::string>{"Language=1", "Zoom=3"}));
  EXPECT_TRUE(data->SaveData());
  EXPECT_EQ(StoredInt("Zoom"), 3);
  EXPECT_EQ(StoredInt("Language"), 1);
  EXPECT_FALSE(Store.IsOpen());
}

TEST_F(OrvRegistryDataTest, AssignedListsAreCleaned) {
  struct Case {
    std::vector<std::string> Given;
    std::vector<std::string> Integers;
    std::vector<std::string> Strings;
  };
  const Case cases[] = {
      {{"  Language=1 \t", "no equals sign"}, {"Language=1"}, {"Language=1"}},
      {{"Language=abc"}, {"Language=0"}, {"Language=abc"}},
      {{"A=", "B=-7", "C=+4", "D=1.5", "E=99999999999"},
       {"A=0", "B=-7", "C=+4", "D=0", "E=0"},
       {"A=", "B=-7", "C=+4", "D=1.5", "E=99999999999"}},
      {{}, {}, {}},
  };
  for (const Case& c : cases) {
    TOrvRegistryData data;
    data.SetIntegerDataList(c.Given);
    data.SetStringDataList(c.Given);
    EXPECT_EQ(data.IntegerDataList(), c.Integers);
    EXPECT_EQ(data.StringDataList(), c.Strings);
  }
}

TEST_F(OrvRegistryDataTest, CountsByKind) {
  auto data = MakeProgramSettings();
  data->SetStringDataList({"Path=c:\\x", "User=me"});
  const std::pair<int, int> cases[] = {{1, 2}, {2, 1}, {3, 0}, {0, 0}, {-1, 0}};
  for (const auto& [kind, count] : cases) EXPECT_EQ(data->GetCount(kind), count) << kind;
}

TEST_F(OrvRegistryDataTest, EmptyStringRemovesAnExistingLineButAddsANewOne) {
  TOrvRegistryData data;
  data.SetStringDataList({"Path=c:\\x", "User=me"});
  data.SetStringData("path", "");
  EXPECT_EQ(data.StringDataList(), std::vector<std::string>{"User=me"});
  data.SetStringData("Theme", "");
  EXPECT_EQ(data.StringDataList(), (std::vector<std::string>{"User=me", "Theme="}));
  data.SetStringData("user", "you");
  EXPECT_EQ(data.StringDataList(), (std::vector<std::string>{"User=you", "Theme="}));
  EXPECT_EQ(data.GetStringData("USER"), "you");
  EXPECT_EQ(data.GetStringData("Nobody"), "");
}

TEST_F(OrvRegistryDataTest, IntegerReadingOfTextsThatAreNotNumbers) {
  TOrvRegistryData data;
  data.SetIntegerDataList({"Language=4"});
  EXPECT_EQ(data.GetIntData("Language"), 4);
  EXPECT_EQ(data.GetIntData("Unlisted"), 0);
}

TEST_F(OrvRegistryDataTest, StringSettingsRoundTripThroughTheStore) {
  {
    auto data = MakeProgramSettings();
    data->SetStringData("Folder", "C:\\Configurazioni\\\u00E8");
    EXPECT_TRUE(data->SaveData());
  }
  TOrvRegistryData reread;
  reread.SetStore(&Store);
  reread.SetKeyName(kKey);
  reread.SetStringDataList({"Folder=default"});
  EXPECT_TRUE(reread.LoadData());
  EXPECT_EQ(reread.GetStringData("Folder"), "C:\\Configurazioni\\\u00E8");
}

TEST_F(OrvRegistryDataTest, ValueOfTheOtherTypeKeepsTheDesignValueAndReportsFalse) {
  Store.Put(kKey, "Language", std::string("2"));
  Store.Put(kKey, "Zoom", std::int32_t{4});
  Store.Put(kKey, "Folder", std::int32_t{1});
  auto data = MakeProgramSettings();
  data->SetIntegerDataList({"Language=1", "Zoom=1"});
  data->SetStringDataList({"Folder=C:\\"});
  bool handlerCalled = false;
  data->OnMissingIntegerValue = [&](platform::TComponent*, const std::string&, int&) { handlerCalled = true; };
  EXPECT_FALSE(data->LoadData());
  EXPECT_EQ(data->GetIntData("Language"), 1);
  EXPECT_EQ(data->GetIntData("Zoom"), 4);  // the other settings are still read
  EXPECT_EQ(data->GetStringData("Folder"), "C:\\");
  EXPECT_FALSE(handlerCalled);
  EXPECT_FALSE(Store.IsOpen());
}

TEST_F(OrvRegistryDataTest, MissingValueHandlerSeesTheListValueAndMayReplaceIt) {
  auto data = MakeProgramSettings();
  data->SetIntegerDataList({"Language=1"});
  data->SetStringDataList({"Folder=C:\\"});
  std::vector<std::string> asked;
  data->OnMissingIntegerValue = [&](platform::TComponent* sender, const std::string& name, int& value) {
    EXPECT_EQ(sender, data.get());
    asked.push_back(name + ":" + std::to_string(value));
    value = 2;
  };
  data->OnMissingStringValue = [&](platform::TComponent*, const std::string& name, std::string& value) {
    asked.push_back(name + ":" + value);
    value = "D:\\";
  };
  EXPECT_FALSE(data->LoadData());
  EXPECT_EQ(asked, (std::vector<std::string>{"Folder:C:\\", "Language:1"}));
  EXPECT_EQ(data->GetIntData("Language"), 2);
  EXPECT_EQ(data->GetStringData("Folder"), "D:\\");
  EXPECT_EQ(data->DoMissingIntegerValue("Unlisted"), 2);
}

TEST_F(OrvRegistryDataTest, HandlerThatChangesTheListsDuringLoadingIsHarmless) {
  auto data = MakeProgramSettings();
  data->SetIntegerDataList({"A=1", "B=2", "C=3"});
  data->OnMissingIntegerValue = [&](platform::TComponent*, const std::string&, int&) {
    data->DeleteIntegerValue("C", false);
  };
  EXPECT_FALSE(data->LoadData());
  EXPECT_EQ(data->IntegerDataList(), (std::vector<std::string>{"A=1", "B=2"}));
}

TEST_F(OrvRegistryDataTest, WithoutKeyNameOrStoreNothingIsTouched) {
  TOrvRegistryData noKey;
  noKey.SetStore(&Store);
  noKey.SetIntegerDataList({"Language=3"});
  EXPECT_FALSE(noKey.LoadData());
  EXPECT_FALSE(noKey.SaveData());
  EXPECT_FALSE(Store.HasKey(""));

  TOrvRegistryData noStore;
  noStore.SetKeyName(kKey);
  noStore.SetIntegerDataList({"Language=3"});
  EXPECT_FALSE(noStore.LoadData());
  EXPECT_FALSE(noStore.SaveData());
  EXPECT_EQ(noStore.GetIntData("Language"), 3);
  EXPECT_FALSE(Store.HasKey(kKey));
}

TEST_F(OrvRegistryDataTest, StoreThatCannotOpenOrWriteReportsFalse) {
  auto data = MakeProgramSettings();
  Store.FailOpen = true;
  EXPECT_FALSE(data->LoadData());
  EXPECT_FALSE(data->SaveData());
  Store.FailOpen = false;
  Store.FailWrites = true;
  EXPECT_FALSE(data->SaveData());
  EXPECT_FALSE(Store.IsOpen());
  EXPECT_EQ(Store.Find(kKey, "Language"), nullptr);
}

TEST_F(OrvRegistryDataTest, DeletingFromTheRegistryRemovesTheStoredValueOnly) {
  Store.Put(kKey, "Language", std::int32_t{2});
  Store.Put(kKey, "Zoom", std::int32_t{3});
  auto data = MakeProgramSettings();
  data->SetIntData("Zoom", 3);
  data->DeleteIntegerValue("Zoom", false);
  EXPECT_EQ(data->GetCount(kRegistryIntegerData), 1);
  EXPECT_EQ(StoredInt("Zoom"), 3);
  data->DeleteIntegerValue("Language", true);
  EXPECT_EQ(data->GetCount(kRegistryIntegerData), 0);
  EXPECT_EQ(Store.Find(kKey, "Language"), nullptr);
  EXPECT_FALSE(Store.IsOpen());

  // Deleting under a key that does not exist does not create it.
  TOrvRegistryData other;
  other.SetStore(&Store);
  other.SetKeyName("software\\nobody");
  other.SetStringDataList({"X=1"});
  other.DeleteStringValue("X", true);
  EXPECT_EQ(other.GetCount(kRegistryStringData), 0);
  EXPECT_FALSE(Store.HasKey("software\\nobody"));
  other.SetKeyName("");  // nothing to save at destruction
}

TEST_F(OrvRegistryDataTest, DestructionSavesUnlessDesigning) {
  {
    auto data = MakeProgramSettings();
    data->SetIntData("Language", 2);
  }
  EXPECT_EQ(StoredInt("Language"), 2);
  {
    auto data = MakeProgramSettings();
    data->SetDesigning(true);
    data->SetIntData("Language", 1);
  }
  EXPECT_EQ(StoredInt("Language"), 2);
}

TEST(TryParseDecimalTest, AcceptsOnlyWholeDecimalIntegers) {
  struct Case {
    const char* Text;
    bool Ok;
    int Value;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-7", true, -7},
      {"+4", true, 4},
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"", false, 0},
      {"abc", false, 0},
      {"1.5", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"+-1", false, 0},
      {"++1", false, 0},
      {"-", false, 0},
  };
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(TryParseDecimal(c.Text, value), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_EQ(value, c.Value) << c.Text;
    }
  }
}

}  // namespace
}  // namespace orv::i18n
