#include "orv/paramset/Lcefile.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "orv/platform/Dialogs.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv::paramset {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const fs::path& path, const std::string& text) {
  WriteBytes(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  const std::string s = ReadText(path);
  return {s.begin(), s.end()};
}

const fs::path kShared = ORV_SHARED_TESTDATA_DIR;

// An independent reading of the format: MD5 from libcrypto's default
// context, RC4 written out here.
std::string ReferenceDecode(const std::vector<std::uint8_t>& file) {
  std::vector<std::uint8_t> k;
  for (int i = 0; i < 16; ++i)
    for (int b = 0; b < 8; ++b)
      if ((file[22 + i] >> b) & 1) k.push_back(file[38 + 8 * i + b]);
  unsigned char key[16];
  EVP_Digest(k.data(), k.size(), key, nullptr, EVP_md5(), nullptr);
  unsigned char s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + key[i % 16]) & 0xFF;
    std::swap(s[i], s[j]);
  }
  std::string out;
  for (std::size_t n = 166, i = 0, j = 0; n < file.size(); ++n) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    out += static_cast<char>(file[n] ^ s[(s[i] + s[j]) & 0xFF]);
  }
  return out;
}

class LcefileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           ("orv_lcefile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(FDir, fs::perms::owner_all, ec);
    fs::remove_all(FDir, ec);
  }
  // Files in the folder other than the given names (left-overs of a write).
  std::vector<std::string> Others(std::initializer_list<std::string> known) const {
    std::vector<std::string> extra;
    for (const auto& e : fs::directory_iterator(FDir)) {
      const auto name = e.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) extra.push_back(name);
    }
    return extra;
  }

  fs::path FDir;
  platform::TRecordingDialogs FDialogs;
  platform::TScopedDialogs FScoped{FDialogs};
};

TEST_F(LcefileTest, SharedFileDecodesExactlyToItsPlainText) {
  const std::string expected = ReadText(kShared / "workshop.ini");
  ASSERT_FALSE(expected.empty());
  TIniBuffer buffer;
  ASSERT_TRUE(DecryptToBuffer((kShared / "workshop.lce").string(), &buffer));
  ASSERT_EQ(buffer.Size, expected.size() + 4);
  EXPECT_EQ(IniBufferText(buffer), expected);
  const auto text = DecryptBytes(Bytes(kShared / "workshop.lce"));
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, expected);
  EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(LcefileTest, SameKeyBytesReproduceTheSharedFileByteForByte) {
  const auto file = Bytes(kShared / "workshop.lce");
  ASSERT_GE(file.size(), LceBodyOffset);
  TLceKeyBytes keyBytes{};
  std::copy_n(file.begin() + 22, LceKeyBytes, keyBytes.begin());
  const auto encoded = EncryptToBytes(ReadText(kShared / "workshop.ini"), keyBytes);
  ASSERT_TRUE(encoded.has_value());
  EXPECT_EQ(*encoded, file);
}

TEST_F(LcefileTest, WrittenFilesFollowTheDerivationForAnyLength) {
  std::mt19937 gen(7);
  for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 511u, 1000u, 70000u}) {
    std::string text(length, '\0');
    for (auto& c : text) c = static_cast<char>(gen());
    const auto file = EncryptToBytes(text);
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->size(), LceBodyOffset + length);
    EXPECT_EQ(std::string(file->begin(), file->begin() + 22), "ENCRYPTED_FILE_V_01.01");
    EXPECT_EQ(ReferenceDecode(*file), text) << length;
    EXPECT_EQ(DecryptBytes(*file), text) << length;
  }
}

TEST_F(LcefileTest, KeyMaterialFollowsTheSelectorBits) {
  TLceKeyBytes keyBytes{};
  for (std::size_t i = 0; i < 128; ++i) keyBytes[16 + i] = static_cast<std::uint8_t>(i);
  EXPECT_TRUE(LceKeyMaterial(keyBytes).empty());
  keyBytes[0] = 0x81;   // bits 0 and 7 of S[0]: P[0], P[7]
  keyBytes[15] = 0x02;  // bit 1 of S[15]: P[121]
  EXPECT_EQ(LceKeyMaterial(keyBytes), (std::vector<std::uint8_t>{0, 7, 121}));
  keyBytes.fill(0xFF);
  EXPECT_EQ(LceKeyMaterial(keyBytes).size(), 128u);
}

TEST_F(LcefileTest, EmptyKeyMaterialUsesTheDigestOfNothing) {
  TLceKeyBytes keyBytes{};  // no selector bit set
  const auto file = EncryptToBytes("[A]\r\nk=1\r\n", keyBytes);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(ReferenceDecode(*file), "[A]\r\nk=1\r\n");
  EXPECT_EQ(DecryptBytes(*file), "[A]\r\nk=1\r\n");
}

TEST_F(LcefileTest, HeaderOnlyFileIsAnEmptyTextAndShorterFilesFail) {
  auto file = Bytes(kShared / "workshop.lce");
  file.resize(166);
  WriteBytes(FDir / "empty.lce", file);
  TIniBuffer buffer;
  ASSERT_TRUE(DecryptToBuffer((FDir / "empty.lce").string(), &buffer));
  ASSERT_NE(buffer.Data, nullptr);
  EXPECT_EQ(buffer.Size, 4u);
  EXPECT_EQ(IniBufferText(buffer), "");

  file.resize(165);
  WriteBytes(FDir / "short.lce", file);
  TIniBuffer untouched = MakeIniBuffer("keep");
  EXPECT_FALSE(DecryptToBuffer((FDir / "short.lce").string(), &untouched));
  EXPECT_EQ(IniBufferText(untouched), "keep");
  EXPECT_FALSE(DecryptBytes(std::span(file)).has_value());
  EXPECT_FALSE(DecryptBytes({}).has_value());
  EXPECT_FALSE(DecryptToBuffer((FDir / "missing.lce").string(), &untouched));
  EXPECT_FALSE(DecryptToBuffer(FDir.string(), &untouched));  // a folder
  EXPECT_FALSE(DecryptToBuffer((kShared / "workshop.lce").string(), nullptr));
  EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(LcefileTest, ForeignHeaderTextIsNotCompared) {
  auto file = Bytes(kShared / "workshop.lce");
  for (std::size_t i = 0; i < 22; ++i) file[i] = static_cast<std::uint8_t>('Z' - i);
  WriteBytes(FDir / "foreign.lce", file);
  TIniBuffer buffer;
  ASSERT_TRUE(DecryptToBuffer((FDir / "foreign.lce").string(), &buffer));
  EXPECT_EQ(IniBufferText(buffer), ReadText(kShared / "workshop.ini"));
}

TEST_F(LcefileTest, TwoWritesOfTheSameTextDifferAndBothRead) {
  const std::string text = ReadText(kShared / "workshop.ini");
  WriteText(FDir / "plain.ini", text);
  ASSERT_TRUE(EncryptToFile((FDir / "plain.ini").string(), (FDir / "a.lce").string()));
  ASSERT_TRUE(EncryptToFile((FDir / "plain.ini").string(), (FDir / "b.lce").string()));
  const auto a = Bytes(FDir / "a.lce");
  const auto b = Bytes(FDir / "b.lce");
  EXPECT_NE(a, b);
  EXPECT_NE(std::vector(a.begin() + 22, a.begin() + 166), std::vector(b.begin() + 22, b.begin() + 166));
  for (const char* name : {"a.lce", "b.lce"}) {
    TIniBuffer buffer;
    ASSERT_TRUE(DecryptToBuffer((FDir / name).string(), &buffer));
    EXPECT_EQ(IniBufferText(buffer), text);
  }
  EXPECT_TRUE(FDialogs.Messages.empty());
  EXPECT_EQ(Others({"plain.ini", "a.lce", "b.lce"}), std::vector<std::string>{});
}

TEST_F(LcefileTest, EncryptReplacesAnExistingTargetWithTheCompleteFile) {
  WriteText(FDir / "target.lce", "old contents");
  ASSERT_TRUE(EncryptTextToFile("[COMANDI]\r\nRIPROGRAMMAZIONE=0\r\n", (FDir / "target.lce").string()));
  EXPECT_EQ(DecryptBytes(Bytes(FDir / "target.lce")), "[COMANDI]\r\nRIPROGRAMMAZIONE=0\r\n");
  EXPECT_EQ(Others({"target.lce"}), std::vector<std::string>{});
}

TEST_F(LcefileTest, MissingSourceFailsWithoutMessageAndKeepsTheTarget) {
  WriteText(FDir / "target.lce", "old contents");
  EXPECT_FALSE(EncryptToFile((FDir / "absent.ini").string(), (FDir / "target.lce").string()));
  EXPECT_EQ(ReadText(FDir / "target.lce"), "old contents");
  EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(LcefileTest, FailedWriteKeepsTheOldTargetAndLeavesNothingBehind) {
  // A folder as target, and a target inside a folder that does not exist.
  fs::create_directories(FDir / "folder.lce");
  EXPECT_FALSE(EncryptTextToFile("[A]\r\n", (FDir / "folder.lce").string()));
  EXPECT_TRUE(fs::is_directory(FDir / "folder.lce"));
  EXPECT_FALSE(EncryptTextToFile("[A]\r\n", (FDir / "nowhere" / "x.lce").string()));
  EXPECT_FALSE(WriteFileAtomically("", {}));
  EXPECT_FALSE(CanReplaceFile((FDir / "folder.lce").string()));
  EXPECT_TRUE(CanReplaceFile((FDir / "new.lce").string()));
  EXPECT_EQ(Others({"folder.lce"}), std::vector<std::string>{});
  EXPECT_TRUE(FDialogs.Messages.empty());
}

#ifndef _WIN32
TEST_F(LcefileTest, TargetInAReadOnlyFolderKeepsItsOldContents) {
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
  fs::create_directories(FDir / "ro");
  WriteText(FDir / "ro" / "target.lce", "old contents");
  ::chmod((FDir / "ro").c_str(), 0555);
  EXPECT_FALSE(EncryptTextToFile("[A]\r\nk=1\r\n", (FDir / "ro" / "target.lce").string()));
  ::chmod((FDir / "ro").c_str(), 0755);
  EXPECT_EQ(ReadText(FDir / "ro" / "target.lce"), "old contents");
}
#endif

}  // namespace
}  // namespace orv::paramset
