#include "orv/paramset/Lcefile.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "orv/platform/Dialogs.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace orv::paramset {

namespace fs = std::filesystem;

namespace {

// The step of the cipher that failed, named after the messages users know.
enum class TCryptFailure { None, AcquireContext, CreateHash, HashData, DeriveKey, Crypt };

const char* FailureText(TCryptFailure failure) {
  switch (failure) {
    case TCryptFailure::AcquireContext:
      return "Error during CryptAcquireContext!";
    case TCryptFailure::CreateHash:
      return "Error during CryptCreateHash!";
    case TCryptFailure::HashData:
      return "Error during CryptHashData!";
    case TCryptFailure::DeriveKey:
      return "Error during CryptDeriveKey!";
    case TCryptFailure::Crypt:
      return "Error during Crypt.";
    case TCryptFailure::None:
      break;
  }
  return "";
}

void ShowFailure(TCryptFailure failure) {
  platform::Dialogs().MessageBox(FailureText(failure), "Errore", platform::TMsgDlgType::mtError, platform::mbOK);
}

struct LibCtxFree {
  void operator()(OSSL_LIB_CTX* p) const { OSSL_LIB_CTX_free(p); }
};
struct ProviderUnload {
  void operator()(OSSL_PROVIDER* p) const { OSSL_PROVIDER_unload(p); }
};
struct MdFree {
  void operator()(EVP_MD* p) const { EVP_MD_free(p); }
};
struct MdCtxFree {
  void operator()(EVP_MD_CTX* p) const { EVP_MD_CTX_free(p); }
};
struct CipherFree {
  void operator()(EVP_CIPHER* p) const { EVP_CIPHER_free(p); }
};
struct CipherCtxFree {
  void operator()(EVP_CIPHER_CTX* p) const { EVP_CIPHER_CTX_free(p); }
};

// MD5 and RC4 in a library context of our own: RC4 lives in OpenSSL's legacy
// provider, and loading it into the process's default context would change
// what every other user of libcrypto gets. Set up once for the process (the
// fetched algorithms are immutable and may be shared between threads);
// members are released in reverse order: algorithms, providers, context.
class TCipherSuite {
 public:
  static const TCipherSuite& Instance() {
    static const TCipherSuite suite;
    return suite;
  }

  TCryptFailure Failure() const { return FFailure; }
  const EVP_MD* Md5() const { return FMd5.get(); }
  const EVP_CIPHER* Rc4() const { return FRc4.get(); }

 private:
  TCipherSuite() {
    FLibCtx.reset(OSSL_LIB_CTX_new());
    if (FLibCtx) {
      FDefault.reset(OSSL_PROVIDER_load(FLibCtx.get(), "default"));
      FLegacy.reset(OSSL_PROVIDER_load(FLibCtx.get(), "legacy"));
    }
    if (!FLibCtx || !FDefault || !FLegacy) {
      FFailure = TCryptFailure::AcquireContext;
      return;
    }
    FMd5.reset(EVP_MD_fetch(FLibCtx.get(), "MD5", nullptr));
    if (!FMd5) {
      FFailure = TCryptFailure::CreateHash;
      return;
    }
    FRc4.reset(EVP_CIPHER_fetch(FLibCtx.get(), "RC4", nullptr));
    if (!FRc4 || EVP_CIPHER_get_key_length(FRc4.get()) != 16) FFailure = TCryptFailure::DeriveKey;
  }

  TCryptFailure FFailure = TCryptFailure::None;
  std::unique_ptr<OSSL_LIB_CTX, LibCtxFree> FLibCtx;
  std::unique_ptr<OSSL_PROVIDER, ProviderUnload> FDefault;
  std::unique_ptr<OSSL_PROVIDER, ProviderUnload> FLegacy;
  std::unique_ptr<EVP_MD, MdFree> FMd5;
  std::unique_ptr<EVP_CIPHER, CipherFree> FRc4;
};

// One RC4 stream keyed with the MD5 digest of the key material.
class TRc4Stream {
 public:
  // Sets up the stream for the key material; Failure() tells what failed.
  TRc4Stream(std::span<const std::uint8_t> keyMaterial, bool encrypt) { Init(keyMaterial, encrypt); }

  TCryptFailure Failure() const { return FFailure; }

  // Runs the stream over in, appending to out; false on a failure.
  bool Run(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
    if (FFailure != TCryptFailure::None) return false;
    // One continuous stream; the chunk size only bounds the int length.
    constexpr std::size_t chunk = 1u << 16;
    const std::size_t base = out.size();
    out.resize(base + in.size());
    std::size_t done = 0;
    while (done < in.size()) {
      const std::size_t len = std::min(chunk, in.size() - done);
      int outLen = 0;
      if (EVP_CipherUpdate(FCipherCtx.get(), out.data() + base + done, &outLen, in.data() + done,
                           static_cast<int>(len)) != 1 ||
          static_cast<std::size_t>(outLen) != len) {
        FFailure = TCryptFailure::Crypt;
        out.resize(base);
        return false;
      }
      done += len;
    }
    return true;
  }

 private:
  void Init(std::span<const std::uint8_t> keyMaterial, bool encrypt) {
    const TCipherSuite& suite = TCipherSuite::Instance();
    FFailure = suite.Failure();
    if (FFailure != TCryptFailure::None) return;

    std::unique_ptr<EVP_MD_CTX, MdCtxFree> hash(EVP_MD_CTX_new());
    if (!hash || EVP_DigestInit_ex2(hash.get(), suite.Md5(), nullptr) != 1) {
      FFailure = TCryptFailure::CreateHash;
      return;
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLen = 0;
    // MD5 of zero bytes when K is empty.
    if (EVP_DigestUpdate(hash.get(), keyMaterial.data(), keyMaterial.size()) != 1 ||
        EVP_DigestFinal_ex(hash.get(), digest, &digestLen) != 1 || digestLen != 16) {
      FFailure = TCryptFailure::HashData;
      return;
    }
    FCipherCtx.reset(EVP_CIPHER_CTX_new());
    if (!FCipherCtx ||
        EVP_CipherInit_ex2(FCipherCtx.get(), suite.Rc4(), digest, nullptr, encrypt ? 1 : 0, nullptr) != 1)
      FFailure = TCryptFailure::DeriveKey;
    OPENSSL_cleanse(digest, sizeof digest);
  }

  TCryptFailure FFailure = TCryptFailure::None;
  std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> FCipherCtx;
};

TLceKeyBytes KeyBytesOf(std::span<const std::uint8_t> fileBytes) {
  TLceKeyBytes keyBytes{};
  std::copy_n(fileBytes.begin() + LceHeaderSize, LceKeyBytes, keyBytes.begin());
  return keyBytes;
}

// A name beside target that no other writer uses.
fs::path SiblingTempPath(const fs::path& target) {
  std::random_device rd;
  char suffix[17];
  std::snprintf(suffix, sizeof suffix, "%08x%08x", rd(), rd());
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  return dir / ("." + target.filename().string() + ".~" + suffix + ".tmp");
}

// Writes all bytes into a new file that must not exist yet.
bool WriteNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::FILE* f = std::fopen(path.string().c_str(), "wbx");
  if (f == nullptr) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
#ifndef _WIN32
  ok = ::fsync(fileno(f)) == 0 && ok;
#endif
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

std::vector<std::uint8_t> LceKeyMaterial(const TLceKeyBytes& keyBytes) {
  std::vector<std::uint8_t> k;
  const std::uint8_t* selector = keyBytes.data();
  const std::uint8_t* pool = keyBytes.data() + 16;
  for (std::size_t i = 0; i < 16; ++i) {
    for (unsigned b = 0; b < 8; ++b) {
      if ((selector[i] >> b) & 1u) k.push_back(pool[8 * i + b]);
    }
  }
  return k;
}

TLceKeyBytes RandomLceKeyBytes() {
  std::random_device rd;
  TLceKeyBytes keyBytes{};
  for (std::size_t i = 0; i < keyBytes.size(); i += 4) {
    const std::uint32_t r = rd();
    for (std::size_t j = 0; j < 4 && i + j < keyBytes.size(); ++j)
      keyBytes[i + j] = static_cast<std::uint8_t>(r >> (8 * j));
  }
  return keyBytes;
}

std::optional<std::vector<std::uint8_t>> EncryptToBytes(std::string_view plainText, bool showMessages) {
  return EncryptToBytes(plainText, RandomLceKeyBytes(), showMessages);
}

std::optional<std::vector<std::uint8_t>> EncryptToBytes(std::string_view plainText, const TLceKeyBytes& keyBytes,
                                                        bool showMessages) {
  const auto k = LceKeyMaterial(keyBytes);
  TRc4Stream stream(k, true);
  std::vector<std::uint8_t> out;
  out.reserve(LceBodyOffset + plainText.size());
  out.insert(out.end(), LceHeaderText.begin(), LceHeaderText.end());
  out.insert(out.end(), keyBytes.begin(), keyBytes.end());
  const auto* text = reinterpret_cast<const std::uint8_t*>(plainText.data());
  if (!stream.Run({text, plainText.size()}, out)) {
    if (showMessages) ShowFailure(stream.Failure());
    return std::nullopt;
  }
  return out;
}

std::optional<std::string> DecryptBytes(std::span<const std::uint8_t> fileBytes) {
  if (fileBytes.size() < LceBodyOffset) return std::nullopt;
  const auto k = LceKeyMaterial(KeyBytesOf(fileBytes));
  TRc4Stream stream(k, false);
  std::vector<std::uint8_t> plain;
  if (!stream.Run(fileBytes.subspan(LceBodyOffset), plain)) return std::nullopt;
  return std::string(plain.begin(), plain.end());
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& fileName) {
  std::error_code ec;
  // Only regular files: a folder or a device is not a configuration file.
  if (fileName.empty() || !fs::is_regular_file(fileName, ec)) return std::nullopt;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool WriteFileAtomically(const std::string& target, std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  const fs::path path(target);
  if (target.empty() || fs::is_directory(path, ec)) return false;
  const fs::path temp = SiblingTempPath(path);
  if (!WriteNewFile(temp, bytes)) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

bool CanReplaceFile(const std::string& target) {
  std::error_code ec;
  const fs::path path(target);
  if (target.empty() || fs::is_directory(path, ec)) return false;
  const fs::path temp = SiblingTempPath(path);
  std::FILE* f = std::fopen(temp.string().c_str(), "wbx");
  if (f == nullptr) return false;
  std::fclose(f);
  fs::remove(temp, ec);
  return true;
}

bool EncryptTextToFile(std::string_view plainText, const std::string& target) {
  if (!CanReplaceFile(target)) return false;
  const auto bytes = EncryptToBytes(plainText, true);
  if (!bytes) return false;
  return WriteFileAtomically(target, *bytes);
}

bool EncryptToFile(const std::string& source, const std::string& target) {
  const auto plain = ReadFileBytes(source);
  if (!plain) return false;
  return EncryptTextToFile({reinterpret_cast<const char*>(plain->data()), plain->size()}, target);
}

bool DecryptToBuffer(const std::string& fileName, TIniBuffer* buffer) {
  if (buffer == nullptr) return false;
  const auto bytes = ReadFileBytes(fileName);
  if (!bytes) return false;
  const auto text = DecryptBytes(*bytes);
  if (!text) return false;
  *buffer = MakeIniBuffer(*text, false);
  return true;
}

}  // namespace orv::paramset
