#include "orv/i18n/Registration.h"

#include <string>
#include <utility>
#include <vector>

#include "orv/i18n/Orvregistrydata.h"
#include "orv/i18n/Translator.h"

namespace orv::i18n {

void RegisterI18nClasses(platform::TClassRegistry& registry) {
  platform::TClassBuilder<TTranslator>(registry, "TTranslator", "")
      .Bool("IsUnicode", [](TTranslator& o, bool v) { o.SetIsUnicode(v); })
      .String("DllName", [](TTranslator& o, const std::string& v) { o.SetDllName(v); })
      .Event<TMissingStringEvent>("OnMissingString",
                                  [](TTranslator& o, TMissingStringEvent e) { o.OnMissingString = std::move(e); });

  platform::TClassBuilder<TOrvRegistryData>(registry, "TOrvRegistryData", "")
      .String("KeyName", [](TOrvRegistryData& o, const std::string& v) { o.SetKeyName(v); })
      .Strings("StringDataList.Strings",
               [](TOrvRegistryData& o, const std::vector<std::string>& v) { o.SetStringDataList(v); })
      .Strings("IntegerDataList.Strings",
               [](TOrvRegistryData& o, const std::vector<std::string>& v) { o.SetIntegerDataList(v); })
      .Event<TMissingIntegerValueEvent>(
          "OnMissingIntegerValue",
          [](TOrvRegistryData& o, TMissingIntegerValueEvent e) { o.OnMissingIntegerValue = std::move(e); })
      .Event<TMissingStringValueEvent>("OnMissingStringValue", [](TOrvRegistryData& o, TMissingStringValueEvent e) {
        o.OnMissingStringValue = std::move(e);
      });
}

}  // namespace orv::i18n
