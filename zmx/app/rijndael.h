// AES-128 (Rijndael with 128-bit blocks and keys), ECB only: the cipher of
// config.dat. Table-driven rounds; the tables are built at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

// What the cipher throws; what() is one of the fixed texts below.
class RijndaelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CRijndael {
 public:
  static constexpr int kKeyLength = 16;
  static constexpr int kBlockSize = 16;
  static constexpr int kRounds = 10;

  static constexpr const char* kEmptyKey = "Empty key";
  static constexpr const char* kNotInitialized = "Object not Initialized";
  static constexpr const char* kNotBlockMultiple = "Data not multiple of Block Size";

  CRijndael() = default;
  virtual ~CRijndael() = default;

  // Builds the round keys from the first 16 bytes at `key`; a null key throws
  // kEmptyKey and leaves the object as it was.
  void SetKey(const unsigned char* key);
  void SetKey(const char* key) { SetKey(reinterpret_cast<const unsigned char*>(key)); }
  bool IsKeySet() const { return m_bKeySet; }

  // One 16-byte block; `in` and `out` may be the same buffer.
  void EncipherBlock(const unsigned char* in, unsigned char* out) const;
  void DecipherBlock(const unsigned char* in, unsigned char* out) const;

  // n/16 blocks in order (ECB), returning that count; n must be a non-zero
  // multiple of 16. `in` and `out` may be the same buffer.
  size_t EncryptBuffer(const unsigned char* in, unsigned char* out, size_t n) const;
  size_t DecryptBuffer(const unsigned char* in, unsigned char* out, size_t n) const;

 private:
  void CheckKey() const;
  static void CheckLength(size_t n);

  static constexpr int kScheduleWords = 4 * (kRounds + 1);
  bool m_bKeySet = false;
  std::array<uint32_t, kScheduleWords> m_encKey{};
  std::array<uint32_t, kScheduleWords> m_decKey{};
};
