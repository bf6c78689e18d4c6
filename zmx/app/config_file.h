// config.dat: the configuration record's text, zero-padded to whole blocks and
// enciphered with AES-128 in ECB mode, beside the executable.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "packet/packet.h"
#include "zmx/app/rijndael.h"

namespace zm {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
inline constexpr std::string_view kConfigFileName = "config.dat";
// LoadConfig reads at most this much of the file.
inline constexpr size_t kConfigReadLimit = 129536;
// A file of this many bytes or fewer holds no record.
inline constexpr size_t kConfigMinSize = 10;

// dir + separator + "config.dat".
std::string ConfigFilePath(std::string_view dir);

// The text plus zero bytes up to L - (L mod 16) + 16, enciphered. Throws the
// cipher's error when it has no key.
std::vector<unsigned char> EncryptText(const CRijndael& cipher, std::string_view text);

// The deciphered bytes up to the first zero byte. Throws the cipher's error
// when it has no key or the length is not a non-zero multiple of 16.
std::string DecryptText(const CRijndael& cipher, std::span<const unsigned char> bytes);

// The byte-level part of LoadConfig: the record takes the deciphered text
// (through SetText) when the bytes are more than 10, whole blocks, and
// decipher to a non-empty text holding "</PKT>". Returns whether it did;
// otherwise the record is untouched. Never throws the cipher's error.
bool ApplyConfigBytes(const CRijndael& cipher, std::span<const unsigned char> bytes, Packet& record);

// Reads config.dat in `dir` into the record: a file that cannot be opened
// makes the record "<PKT></PKT>"; an unusable one leaves it as it is. The
// cipher's errors never leave it.
void LoadConfig(const CRijndael& cipher, std::string_view dir, Packet* record);

// Writes the record, whatever its length, to config.dat in `dir` (the file is
// replaced). Returns false, changing nothing else, when there is no record,
// the cipher has no key or the file cannot be written.
bool SaveConfig(const CRijndael& cipher, std::string_view dir, const Packet* record);

}  // namespace zm
