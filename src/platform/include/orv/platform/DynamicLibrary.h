#pragma once
// Run-time loading of a shared library and look-up of its exports. A name
// given as "X.dll" is looked up as the platform's own file name ("X.so" on
// Linux); backslashes are taken as folder separators. A missing library or
// symbol is an ordinary failure result.

#include <string>

namespace orv::platform {

class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  ~TDynamicLibrary() { Unload(); }
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
  TDynamicLibrary(TDynamicLibrary&& other) noexcept;
  TDynamicLibrary& operator=(TDynamicLibrary&& other) noexcept;

  // Loads the library (unloading any earlier one); false when it cannot be
  // loaded, with the reason in LastError.
  bool Load(const std::string& name);
  void Unload();
  bool IsLoaded() const { return FHandle != nullptr; }

  // The address of an exported symbol, or nullptr.
  void* Symbol(const char* name) const;
  template <class Fn>
  Fn Function(const char* name) const {
    return reinterpret_cast<Fn>(Symbol(name));
  }

  const std::string& LastError() const { return FLastError; }
  const std::string& FileName() const { return FFileName; }

  // The platform's file name for a library name ("Dizionario\Languages.dll"
  // gives "Dizionario/Languages.so" on Linux).
  static std::string PlatformFileName(const std::string& name);

 private:
  void* FHandle = nullptr;
  std::string FFileName;
  std::string FLastError;
};

// The folder of the running program, with a trailing separator.
std::string ApplicationDirectory();

}  // namespace orv::platform
