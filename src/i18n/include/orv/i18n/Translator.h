#pragma once
// The translator: texts by string id from the language library
// ("Dizionario/Languages" beside the program) in the current language.
//
// The library is loaded on request and released by UnloadLanguageLibrary or
// the translator's destruction. Without a library (missing, not loadable)
// there is one language, one string per language, and every text is the
// missing-string result (empty unless OnMissingString supplies one); nothing
// fails harder than that. Texts are UTF-8 and are read from the library each
// time they are asked for.
//
// Thread: user-interface thread only.

#include <cstdint>
#include <functional>
#include <string>

#include "orv/platform/Component.h"
#include "orv/platform/DynamicLibrary.h"
#include "orv/plugins/Languagelibrary.h"

namespace orv::i18n {

// Called when a text cannot be loaded (no library, no resource, empty text).
// defaultString is empty on entry; what the handler leaves there is the text.
using TMissingStringEvent = std::function<void(platform::TComponent* Sender, int StringId, std::string& defaultString)>;

class TTranslator : public platform::TComponent {
 public:
  // The longest text one load yields, in characters; longer texts are cut.
  static constexpr int kMaxTextLength = 255;

  explicit TTranslator(platform::TComponent* owner = nullptr);
  ~TTranslator() override;

  const char* ClassName() const override { return "TTranslator"; }

  // Kept as a published setting (default true). Texts are UTF-8 on every
  // platform this program runs on, so both settings give the same texts.
  bool IsUnicode() const { return FIsUnicode; }
  void SetIsUnicode(bool value);

  // Path of the language library. Changing it while a library is loaded
  // (and the component is not being designed) reloads from the new path.
  const std::string& DllName() const { return FDllName; }
  void SetDllName(const std::string& value);

  TMissingStringEvent OnMissingString;

  // Loads the library named by DllName (releasing any earlier one) and reads
  // its counts; true when it loaded. A library without the count exports
  // counts 1 for the missing one; counts below 1 are taken as 1. The current
  // language is clamped to the last language of the new library.
  bool LoadLanguageLibrary();
  // Releases the library; both counts become 1.
  void UnloadLanguageLibrary();
  bool IsLibraryLoaded() const { return FLibrary.IsLoaded(); }
  // Why the last LoadLanguageLibrary found no library (empty after success).
  const std::string& LastError() const { return FLastError; }

  std::int8_t LanguageCount() const { return FLanguageCount; }
  int StringsPerLanguage() const { return FStringsPerLanguage; }
  int CurrentLanguage() const { return FCurrentLanguage; }
  // Selects a language when 0 <= index < LanguageCount; otherwise nothing changes.
  void SetLanguage(int index);

  // The text of string id in the current language (resource id +
  // CurrentLanguage x StringsPerLanguage), at most kMaxTextLength
  // characters, cut to its first maxLength characters when maxLength > 0.
  // A text that cannot be loaded is the missing-string result.
  std::string GetString(int id, int maxLength = 0);
  // String id 0 of language index; outside 0 to LanguageCount - 1, or when
  // it cannot be loaded, the missing-string result for id 0.
  std::string GetLanguageName(int index);

 private:
  // The text of one resource number, empty when it cannot be loaded.
  std::string LoadResource(long long resource) const;
  std::string DoMissingString(int id);

  bool FIsUnicode = false;
  std::string FDllName;
  std::string FLastError;
  platform::TDynamicLibrary FLibrary;
  plugins::LoadStringFn FLoadString = nullptr;
  int FCurrentLanguage = 0;
  std::int8_t FLanguageCount = 1;
  int FStringsPerLanguage = 1;
};

// Keeps the first maxLength characters (code points) of a UTF-8 text.
std::string Utf8Left(const std::string& text, int maxLength);

}  // namespace orv::i18n
