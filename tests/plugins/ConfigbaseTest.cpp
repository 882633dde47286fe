// The resource library answers the program's resource numbers with bitmap
// files of the sizes the windows expect, and nothing for other numbers.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orv/platform/DynamicLibrary.h"
#include "orv/plugins/Resourcelibrary.h"

namespace {

using orv::platform::TDynamicLibrary;
namespace plugins = orv::plugins;

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

class ConfigbaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FLibrary.Load(std::string(ORV_BIN_DIR) + "/ConfigBase.dll")) << FLibrary.LastError();
    FGet = FLibrary.Function<plugins::GetResourceFn>(plugins::kGetResource);
    ASSERT_NE(FGet, nullptr);
  }
  TDynamicLibrary FLibrary;
  plugins::GetResourceFn FGet = nullptr;
};

TEST_F(ConfigbaseTest, AnswersEachPictureAsABitmapOfItsSize) {
  struct Case {
    std::uint32_t Resource;
    std::uint32_t Width;
    std::uint32_t Height;
  };
  const Case cases[] = {
      {plugins::kResIcon, 32, 32},          {plugins::kResAboutPicture, 249, 81}, {plugins::kResFirstFlag + 0, 53, 36},
      {plugins::kResFirstFlag + 1, 53, 36}, {plugins::kResFirstFlag + 2, 53, 36},
  };
  for (const Case& c : cases) {
    std::uint32_t size = 0;
    const std::uint8_t* bytes = FGet(c.Resource, &size);
    ASSERT_NE(bytes, nullptr) << c.Resource;
    ASSERT_GE(size, 54u);
    EXPECT_EQ(std::memcmp(bytes, "BM", 2), 0);
    EXPECT_EQ(Read32(bytes + 2), size);
    EXPECT_EQ(Read32(bytes + 18), c.Width) << c.Resource;
    EXPECT_EQ(Read32(bytes + 22), c.Height) << c.Resource;
    EXPECT_EQ(size, 54 + c.Width * c.Height * 4);
    // The same bytes every time: the picture is drawn once.
    std::uint32_t again = 0;
    EXPECT_EQ(FGet(c.Resource, &again), bytes);
  }
}

TEST_F(ConfigbaseTest, UnknownResourcesAreNotAnswered) {
  for (std::uint32_t resource : {0u, 1000u, 10001u, 10003u, 10009u, 20000u}) {
    std::uint32_t size = 123;
    EXPECT_EQ(FGet(resource, &size), nullptr) << resource;
    EXPECT_EQ(size, 0u);
  }
  EXPECT_EQ(FGet(10002, nullptr) != nullptr, true);
}

}  // namespace
