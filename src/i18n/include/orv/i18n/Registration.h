#pragma once
// Makes TTranslator and TOrvRegistryData known to stored descriptions.

#include "orv/platform/Description.h"

namespace orv::i18n {

// TTranslator: IsUnicode, DllName, OnMissingString.
// TOrvRegistryData: KeyName, StringDataList.Strings, IntegerDataList.Strings
// (lists of quoted lines), OnMissingIntegerValue, OnMissingStringValue.
void RegisterI18nClasses(platform::TClassRegistry& registry);

}  // namespace orv::i18n
