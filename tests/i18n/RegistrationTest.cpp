#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/i18n/Orvregistrydata.h"
#include "orv/i18n/Registration.h"
#include "orv/i18n/Translator.h"

namespace orv::i18n {
namespace {

// A root that offers handlers for the three events.
class TTestRoot : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;
  const char* ClassName() const override { return "TTestRoot"; }
  void TranslatorMissingString(platform::TComponent*, int id, std::string& text) { text = "?" + std::to_string(id); }
  void RegistryMissingInteger(platform::TComponent*, const std::string&, int& value) { value = 7; }
  void RegistryMissingString(platform::TComponent*, const std::string&, std::string& value) { value = "fallback"; }
};

platform::TClassRegistry MakeRegistry() {
  platform::TClassRegistry registry;
  RegisterI18nClasses(registry);
  platform::TClassBuilder<TTestRoot>(registry, "TTestRoot", "", false)
      .Method<TMissingStringEvent>("TranslatorMissingString",
                                   [](TTestRoot& r) -> TMissingStringEvent {
                                     return [&r](platform::TComponent* s, int id, std::string& t) {
                                       r.TranslatorMissingString(s, id, t);
                                     };
                                   })
      .Method<TMissingIntegerValueEvent>("RegistryMissingInteger",
                                         [](TTestRoot& r) -> TMissingIntegerValueEvent {
                                           return [&r](platform::TComponent* s, const std::string& n, int& v) {
                                             r.RegistryMissingInteger(s, n, v);
                                           };
                                         })
      .Method<TMissingStringValueEvent>("RegistryMissingString", [](TTestRoot& r) -> TMissingStringValueEvent {
        return
            [&r](platform::TComponent* s, const std::string& n, std::string& v) { r.RegistryMissingString(s, n, v); };
      });
  return registry;
}

TEST(RegistrationTest, DescriptionsSetEveryPublishedProperty) {
  const char* text = R"(object FormMain: TTestRoot
  object Translator: TTranslator
    IsUnicode = False
    DllName = 'Dizionario\Languages.dll'
    OnMissingString = TranslatorMissingString
  end
  object OrvRegistryData: TOrvRegistryData
    KeyName = 'software\orv srl\QVN208'
    StringDataList.Strings = (
      ' Folder=C:\ '
      'junk')
    IntegerDataList.Strings = (
      'Language=0'
      'Zoom=abc')
    OnMissingIntegerValue = RegistryMissingInteger
    OnMissingStringValue = RegistryMissingString
  end
end
)";
  const platform::TClassRegistry registry = MakeRegistry();
  TMemorySettingsStore store;  // outlives the settings, which save at destruction
  TTestRoot root;
  std::string error;
  ASSERT_TRUE(platform::TryReadDescription(root, text, registry, &error)) << error;

  auto* translator = dynamic_cast<TTranslator*>(root.FindComponent("Translator"));
  ASSERT_NE(translator, nullptr);
  EXPECT_FALSE(translator->IsUnicode());
  EXPECT_EQ(translator->DllName(), "Dizionario\\Languages.dll");
  EXPECT_FALSE(translator->IsLibraryLoaded());
  EXPECT_EQ(translator->GetString(12), "?12");

  auto* settings = dynamic_cast<TOrvRegistryData*>(root.FindComponent("OrvRegistryData"));
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->KeyName(), "software\\orv srl\\QVN208");
  EXPECT_EQ(settings->StringDataList(), std::vector<std::string>{"Folder=C:\\"});
  EXPECT_EQ(settings->IntegerDataList(), (std::vector<std::string>{"Language=0", "Zoom=0"}));

  settings->SetStore(&store);
  EXPECT_FALSE(settings->LoadData());
  EXPECT_EQ(settings->GetIntData("Language"), 7);
  EXPECT_EQ(settings->GetStringData("Folder"), "fallback");
}

}  // namespace
}  // namespace orv::i18n
