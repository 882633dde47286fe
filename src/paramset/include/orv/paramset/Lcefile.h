#pragma once
// The enciphered configuration file (extension "lce").
//
// Layout: the 22-byte text "ENCRYPTED_FILE_V_01.01", 16 selector bytes S,
// 128 key-pool bytes P, then the INI text enciphered with RC4; the text is
// file size - 166 bytes long. The key material K takes, for i = 0..15 and
// bit b = 0..7 of S[i] (least significant first), P[8i + b] when the bit is
// set. The RC4 key is the 16-byte MD5 digest of K, no salt; the body is one
// continuous RC4 stream. The header text is not checked when reading.
//
// Writing never replaces an existing target before the new file is
// complete: the bytes go to a file beside the target that is renamed over
// it at the end. Enciphering works from memory, so the plain text needs no
// file of its own.
//
// Messages: the file operations that encipher show a message box with
// caption "Errore" (error type) through platform::Dialogs() when the cipher
// cannot be set up or run; deciphering and the memory forms show nothing.
// Main thread for the operations that show messages; the memory forms are
// safe on any thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orv/paramset/Orvmeminifile.h"

namespace orv::paramset {

inline constexpr std::string_view LceHeaderText = "ENCRYPTED_FILE_V_01.01";
inline constexpr std::size_t LceHeaderSize = 22;
inline constexpr std::size_t LceKeyBytes = 144;  // 16 selector bytes, 128 pool bytes
inline constexpr std::size_t LceBodyOffset = LceHeaderSize + LceKeyBytes;

using TLceKeyBytes = std::array<std::uint8_t, LceKeyBytes>;

// K from the 144 key bytes (0 to 128 bytes).
std::vector<std::uint8_t> LceKeyMaterial(const TLceKeyBytes& keyBytes);

// 144 fresh random bytes.
TLceKeyBytes RandomLceKeyBytes();

// The whole file for plainText with fresh random key bytes, or with the
// given ones. nullopt when the cipher cannot be set up or run; with
// showMessages the matching "Error during ..." box is shown first.
std::optional<std::vector<std::uint8_t>> EncryptToBytes(std::string_view plainText, bool showMessages = false);
std::optional<std::vector<std::uint8_t>> EncryptToBytes(std::string_view plainText, const TLceKeyBytes& keyBytes,
                                                        bool showMessages = false);

// The INI text of a whole file's bytes; nullopt when shorter than 166 bytes
// or the cipher cannot be set up or run. No message.
std::optional<std::string> DecryptBytes(std::span<const std::uint8_t> fileBytes);

// Enciphers the plain file source into target. False without a message
// when source does not exist or cannot be read or target cannot be written;
// false after an "Error during ..." box when the cipher fails. The target is
// replaced only by a complete new file.
bool EncryptToFile(const std::string& source, const std::string& target);

// Enciphers plainText into target, replacing it only by a complete new file;
// results and messages as EncryptToFile.
bool EncryptTextToFile(std::string_view plainText, const std::string& target);

// Deciphers fileName into a new buffer (length n, then the n text bytes)
// stored through buffer. False without a message when the file does not
// exist, cannot be read, is shorter than 166 bytes, or the cipher fails;
// the buffer is then left as it was.
bool DecryptToBuffer(const std::string& fileName, TIniBuffer* buffer);

// Reads a whole file; nullopt when it does not exist or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& fileName);

// Writes bytes to a file beside target and renames it over target once all
// bytes are on disk; on any failure the partial file is removed and target
// is untouched. False when target is a folder or the folder cannot be
// written.
bool WriteFileAtomically(const std::string& target, std::span<const std::uint8_t> bytes);

// True when target could be replaced: it is not a folder and a new file can
// be created beside it (the check leaves nothing behind).
bool CanReplaceFile(const std::string& target);

}  // namespace orv::paramset
