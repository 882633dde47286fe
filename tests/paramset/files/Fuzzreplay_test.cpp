#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "Lcefilefuzz.h"

namespace orv::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Corpus() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(fs::path(ORV_TEST_DATA_DIR) / "fuzz" / "lcefile"))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LcefileFuzzReplay, SeedCorpusKeepsEveryInvariant) {
  const auto files = Corpus();
  ASSERT_GE(files.size(), 6u);
  for (const auto& file : files) {
    const auto bytes = Bytes(file);
    EXPECT_TRUE(LcefileFuzzOne(bytes.data(), bytes.size())) << file;
  }
}

TEST(LcefileFuzzReplay, DamagedSeedsKeepEveryInvariant) {
  std::mt19937 gen(20241211);
  for (const auto& file : Corpus()) {
    const auto seed = Bytes(file);
    for (int round = 0; round < 16; ++round) {
      auto bytes = seed;
      if (!bytes.empty()) {
        for (int flips = 1 + static_cast<int>(gen() % 4); flips > 0; --flips)
          bytes[gen() % bytes.size()] ^= static_cast<std::uint8_t>(1u << (gen() % 8));
        if (round % 4 == 3) bytes.resize(gen() % bytes.size());
      }
      EXPECT_TRUE(LcefileFuzzOne(bytes.data(), bytes.size())) << file << " round " << round;
    }
  }
}

}  // namespace
}  // namespace orv::fuzz
