#include "orv/platform/DynamicLibrary.h"

#include <cctype>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace orv::platform {

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)),
      FFileName(std::move(other.FFileName)),
      FLastError(std::move(other.FLastError)) {}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& other) noexcept {
  if (this != &other) {
    Unload();
    FHandle = std::exchange(other.FHandle, nullptr);
    FFileName = std::move(other.FFileName);
    FLastError = std::move(other.FLastError);
  }
  return *this;
}

std::string TDynamicLibrary::PlatformFileName(const std::string& name) {
  std::string result = name;
#ifndef _WIN32
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  const std::string dll = ".dll";
  if (result.size() >= dll.size()) {
    std::string tail = result.substr(result.size() - dll.size());
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == dll) result = result.substr(0, result.size() - dll.size()) + ".so";
  }
#endif
  return result;
}

bool TDynamicLibrary::Load(const std::string& name) {
  Unload();
  FLastError.clear();
  FFileName = PlatformFileName(name);
  if (FFileName.empty()) {
    FLastError = "no library name";
    return false;
  }
#ifdef _WIN32
  FHandle = reinterpret_cast<void*>(::LoadLibraryA(FFileName.c_str()));
  if (FHandle == nullptr) FLastError = "cannot load " + FFileName;
#else
  // A relative name (bare, or with folders such as "Dizionario/...") is
  // looked up beside the program first, then in the working folder, then by
  // the system's search, so the program finds its libraries wherever it is
  // started from.
  std::string firstError;
  if (FFileName.front() != '/') {
    for (const std::string& dir : {ApplicationDirectory(), std::string("./")}) {
      const std::string path = dir + FFileName;
      if (::access(path.c_str(), F_OK) != 0) continue;
      FHandle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (FHandle != nullptr) return true;
      // The file is there but refused (a damaged library, a missing
      // dependency): that reason is the one worth reporting.
      if (firstError.empty()) {
        const char* err = ::dlerror();
        firstError = err != nullptr ? err : ("cannot load " + path);
      }
    }
  }
  FHandle = ::dlopen(FFileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (FHandle == nullptr) {
    const char* err = ::dlerror();
    FLastError = !firstError.empty() ? firstError : (err != nullptr ? err : ("cannot load " + FFileName));
  }
#endif
  return FHandle != nullptr;
}

void TDynamicLibrary::Unload() {
  if (FHandle == nullptr) return;
#ifdef _WIN32
  ::FreeLibrary(reinterpret_cast<HMODULE>(FHandle));
#else
  ::dlclose(FHandle);
#endif
  FHandle = nullptr;
}

void* TDynamicLibrary::Symbol(const char* name) const {
  if (FHandle == nullptr || name == nullptr) return nullptr;
#ifdef _WIN32
  return reinterpret_cast<void*>(::GetProcAddress(reinterpret_cast<HMODULE>(FHandle), name));
#else
  return ::dlsym(FHandle, name);
#endif
}

std::string ApplicationDirectory() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer, n);
  auto pos = path.find_last_of("\\/");
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
#else
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string path(buffer, static_cast<std::size_t>(n));
  auto pos = path.find_last_of('/');
  return pos == std::string::npos ? std::string("./") : path.substr(0, pos + 1);
#endif
}

}  // namespace orv::platform
