#include "zmx/app/rijndael.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Hex(const std::string& hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

struct Vector {
  const char* name;
  const char* key;
  const char* plain;
  const char* cipher;
};

const Vector kVectors[] = {
    {"Fips197C1", "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"Fips197B", "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {"ZeroKey", "00000000000000000000000000000000", "f34481ec3cc627bacd5dc3fb08f273e6",
     "0336763e966d92595a567cc9ce537f5e"},
};

void PrintTo(const Vector& v, std::ostream* os) { *os << v.name; }

class KnownAnswer : public testing::TestWithParam<Vector> {};

TEST_P(KnownAnswer, EnciphersAndDeciphersInPlaceToo) {
  const Vector& v = GetParam();
  CRijndael aes;
  aes.SetKey(Hex(v.key).data());
  const Bytes plain = Hex(v.plain), expected = Hex(v.cipher);
  Bytes out(16);
  aes.EncipherBlock(plain.data(), out.data());
  EXPECT_EQ(out, expected);
  aes.DecipherBlock(out.data(), out.data());
  EXPECT_EQ(out, plain);
}

INSTANTIATE_TEST_SUITE_P(Aes128, KnownAnswer, testing::ValuesIn(kVectors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Rijndael, BuffersAreIndependentBlocksInOrder) {
  std::mt19937 rng(7);
  Bytes key(16), data(16 * 5);
  for (auto& b : key) b = static_cast<unsigned char>(rng());
  for (auto& b : data) b = static_cast<unsigned char>(rng());
  // Equal blocks encipher alike: ECB, no chaining.
  std::copy(data.begin(), data.begin() + 16, data.begin() + 16 * 3);
  CRijndael aes;
  aes.SetKey(key.data());
  Bytes out(data.size());
  EXPECT_EQ(aes.EncryptBuffer(data.data(), out.data(), data.size()), 5u);
  for (size_t i = 0; i < data.size(); i += 16) {
    Bytes block(16);
    aes.EncipherBlock(data.data() + i, block.data());
    EXPECT_TRUE(std::equal(block.begin(), block.end(), out.begin() + static_cast<std::ptrdiff_t>(i))) << i;
  }
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 16, out.begin() + 48));
  EXPECT_EQ(aes.DecryptBuffer(out.data(), out.data(), out.size()), 5u);
  EXPECT_EQ(out, data);
}

TEST(Rijndael, KeyTextIsTakenAsItsFirstSixteenBytes) {
  CRijndael a, b;
  a.SetKey("zumaro0000000042");
  b.SetKey("zumaro0000000042 and more");
  const unsigned char zero[16] = {};
  unsigned char x[16], y[16];
  a.EncipherBlock(zero, x);
  b.EncipherBlock(zero, y);
  EXPECT_TRUE(std::equal(x, x + 16, y));
}

void ExpectError(const char* text, const std::function<void()>& f) {
  try {
    f();
    ADD_FAILURE() << "no error, expected " << text;
  } catch (const RijndaelError& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

TEST(Rijndael, FailsWithItsFixedTexts) {
  unsigned char buf[48] = {};
  CRijndael none;
  ExpectError("Empty key", [&] { none.SetKey(static_cast<const char*>(nullptr)); });
  EXPECT_FALSE(none.IsKeySet());
  // No key is reported before a bad length.
  ExpectError("Object not Initialized", [&] { none.EncipherBlock(buf, buf); });
  ExpectError("Object not Initialized", [&] { none.DecipherBlock(buf, buf); });
  ExpectError("Object not Initialized", [&] { none.EncryptBuffer(buf, buf, 16); });
  ExpectError("Object not Initialized", [&] { none.DecryptBuffer(buf, buf, 17); });

  CRijndael keyed;
  keyed.SetKey("zumaro0000000000");
  for (size_t n : {0, 1, 15, 17, 47}) {
    ExpectError("Data not multiple of Block Size", [&] { keyed.EncryptBuffer(buf, buf, n); });
    ExpectError("Data not multiple of Block Size", [&] { keyed.DecryptBuffer(buf, buf, n); });
  }
  // A null key does not undo the key already set.
  ExpectError("Empty key", [&] { keyed.SetKey(static_cast<const unsigned char*>(nullptr)); });
  EXPECT_EQ(keyed.EncryptBuffer(buf, buf, 48), 3u);
}

}  // namespace
