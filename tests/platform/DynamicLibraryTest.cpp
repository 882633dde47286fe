#include "orv/platform/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orv::platform {
namespace {

using TAnswerFn = int (*)(int);

TEST(DynamicLibraryTest, DllNamesMapToThePlatformsFileName) {
  struct Case {
    const char* Name;
    const char* Expected;
  };
#ifdef _WIN32
  const Case cases[] = {{"SerOrvDL.dll", "SerOrvDL.dll"}, {"Dizionario\\Languages.dll", "Dizionario\\Languages.dll"}};
#else
  const Case cases[] = {
      {"SerOrvDL.dll", "SerOrvDL.so"},
      {"Dizionario\\Languages.dll", "Dizionario/Languages.so"},
      {"ConfigBase.DLL", "ConfigBase.so"},
      {"plain.so", "plain.so"},
      {"noext", "noext"},
      {"archive.dll.bak", "archive.dll.bak"},
      {".dll", ".so"},
  };
#endif
  for (const auto& c : cases) EXPECT_EQ(TDynamicLibrary::PlatformFileName(c.Name), c.Expected) << c.Name;
}

TEST(DynamicLibraryTest, LoadsAndFindsAnExport) {
  TDynamicLibrary lib;
  ASSERT_TRUE(lib.Load(ORV_PLATFORM_TESTLIB)) << lib.LastError();
  EXPECT_TRUE(lib.IsLoaded());
  auto answer = lib.Function<TAnswerFn>("OrvTestAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(20), 41);
  EXPECT_EQ(lib.Symbol("OrvNoSuchExport"), nullptr);
  EXPECT_EQ(lib.Symbol(nullptr), nullptr);

  TDynamicLibrary moved(std::move(lib));
  EXPECT_FALSE(lib.IsLoaded());  // NOLINT(bugprone-use-after-move): the moved-from state is defined
  ASSERT_TRUE(moved.IsLoaded());
  EXPECT_EQ(moved.Function<TAnswerFn>("OrvTestAnswer")(1), 3);
  moved.Unload();
  EXPECT_FALSE(moved.IsLoaded());
  EXPECT_EQ(moved.Symbol("OrvTestAnswer"), nullptr);
}

#ifndef _WIN32
TEST(DynamicLibraryTest, RelativeDllNameIsFoundBesideTheProgram) {
  // The test program sits in the program folder; the library in a sub-folder
  // of it, as the language library does.
  TDynamicLibrary lib;
  ASSERT_TRUE(lib.Load("platformtest\\OrvTestLib.dll")) << lib.LastError();
  EXPECT_NE(lib.Symbol("OrvTestAnswer"), nullptr);
}
#endif

TEST(DynamicLibraryTest, MissingLibraryIsAFailure) {
  TDynamicLibrary lib;
  EXPECT_FALSE(lib.Load("NoSuchLibraryAnywhere.dll"));
  EXPECT_FALSE(lib.IsLoaded());
  EXPECT_FALSE(lib.LastError().empty());
  EXPECT_EQ(lib.Symbol("OrvTestAnswer"), nullptr);
  EXPECT_FALSE(lib.Load(""));
}

TEST(DynamicLibraryTest, ApplicationDirectoryEndsWithASeparator) {
  const std::string dir = ApplicationDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_TRUE(dir.back() == '/' || dir.back() == '\\');
}

}  // namespace
}  // namespace orv::platform
