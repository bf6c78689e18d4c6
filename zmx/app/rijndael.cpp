#include "zmx/app/rijndael.h"

#include <bit>

namespace {

constexpr uint8_t XTime(uint8_t x) { return static_cast<uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1b : 0)); }

constexpr uint8_t Mul(uint8_t a, uint8_t b) {
  uint8_t r = 0;
  for (; b; b >>= 1, a = XTime(a))
    if (b & 1) r ^= a;
  return r;
}


struct Tables {
  uint8_t sbox[256];
  uint8_t inv[256];
  uint32_t te[4][256];  // SubBytes + MixColumns, one per byte position
  uint32_t td[4][256];  // InvSubBytes + InvMixColumns
};

constexpr Tables MakeTables() {
  Tables t{};
  // Walk the multiplicative group by powers of 3; q runs through the inverses.
  uint8_t p = 1, q = 1;
  do {
    p = static_cast<uint8_t>(p ^ XTime(p));
    q ^= static_cast<uint8_t>(q << 1);
    q ^= static_cast<uint8_t>(q << 2);
    q ^= static_cast<uint8_t>(q << 4);
    if (q & 0x80) q ^= 0x09;
    const uint8_t affine = q ^ std::rotl(q, 1) ^ std::rotl(q, 2) ^ std::rotl(q, 3) ^ std::rotl(q, 4);
    t.sbox[p] = affine ^ 0x63;
  } while (p != 1);
  t.sbox[0] = 0x63;
  for (int x = 0; x < 256; ++x) t.inv[t.sbox[x]] = static_cast<uint8_t>(x);

  for (int x = 0; x < 256; ++x) {
    const uint8_t s = t.sbox[x];
    const uint32_t e = uint32_t{Mul(s, 2)} << 24 | uint32_t{s} << 16 | uint32_t{s} << 8 | Mul(s, 3);
    const uint8_t i = t.inv[x];
    const uint32_t d = uint32_t{Mul(i, 14)} << 24 | uint32_t{Mul(i, 9)} << 16 | uint32_t{Mul(i, 13)} << 8 | Mul(i, 11);
    for (int k = 0; k < 4; ++k) {
      t.te[k][x] = std::rotr(e, 8 * k);
      t.td[k][x] = std::rotr(d, 8 * k);
    }
  }
  return t;
}

constexpr Tables kT = MakeTables();
static_assert(kT.sbox[0x00] == 0x63 && kT.sbox[0x01] == 0x7c && kT.sbox[0x53] == 0xed && kT.sbox[0xff] == 0x16);
static_assert(kT.inv[0x63] == 0x00 && kT.te[0][0] == 0xc66363a5);

constexpr auto& S = kT.sbox;
constexpr auto& Si = kT.inv;
constexpr auto& Te0 = kT.te[0];
constexpr auto& Te1 = kT.te[1];
constexpr auto& Te2 = kT.te[2];
constexpr auto& Te3 = kT.te[3];
constexpr auto& Td0 = kT.td[0];
constexpr auto& Td1 = kT.td[1];
constexpr auto& Td2 = kT.td[2];
constexpr auto& Td3 = kT.td[3];

inline uint32_t Load(const unsigned char* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

inline void Store(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

inline uint32_t B(uint32_t w, int byte) { return (w >> (24 - 8 * byte)) & 0xff; }

}  // namespace

void CRijndael::SetKey(const unsigned char* key) {
  if (!key) throw RijndaelError(kEmptyKey);
  uint32_t* rk = m_encKey.data();
  for (int i = 0; i < 4; ++i) rk[i] = Load(key + 4 * i);
  uint32_t rcon = 0x01;
  for (int r = 0; r < kRounds; ++r, rk += 4) {
    const uint32_t t = rk[3];
    rk[4] = rk[0] ^ (uint32_t{S[B(t, 1)]} << 24) ^ (uint32_t{S[B(t, 2)]} << 16) ^ (uint32_t{S[B(t, 3)]} << 8) ^
            uint32_t{S[B(t, 0)]} ^ (rcon << 24);
    rk[5] = rk[1] ^ rk[4];
    rk[6] = rk[2] ^ rk[5];
    rk[7] = rk[3] ^ rk[6];
    rcon = XTime(static_cast<uint8_t>(rcon));
  }
  // The equivalent inverse cipher: round keys in reverse order, the inner
  // ones passed through InvMixColumns.
  for (int r = 0; r <= kRounds; ++r) {
    for (int c = 0; c < 4; ++c) {
      const uint32_t w = m_encKey[4 * (kRounds - r) + c];
      m_decKey[4 * r + c] = (r == 0 || r == kRounds)
                                ? w
                                : Td0[S[B(w, 0)]] ^ Td1[S[B(w, 1)]] ^ Td2[S[B(w, 2)]] ^ Td3[S[B(w, 3)]];
    }
  }
  m_bKeySet = true;
}

void CRijndael::CheckKey() const {
  if (!m_bKeySet) throw RijndaelError(kNotInitialized);
}

void CRijndael::CheckLength(size_t n) {
  if (n == 0 || n % kBlockSize != 0) throw RijndaelError(kNotBlockMultiple);
}

void CRijndael::EncipherBlock(const unsigned char* in, unsigned char* out) const {
  CheckKey();
  const uint32_t* rk = m_encKey.data();
  uint32_t s0 = Load(in) ^ rk[0], s1 = Load(in + 4) ^ rk[1], s2 = Load(in + 8) ^ rk[2], s3 = Load(in + 12) ^ rk[3];
  for (int r = 1; r < kRounds; ++r) {
    rk += 4;
    const uint32_t t0 = Te0[s0 >> 24] ^ Te1[B(s1, 1)] ^ Te2[B(s2, 2)] ^ Te3[s3 & 0xff] ^ rk[0];
    const uint32_t t1 = Te0[s1 >> 24] ^ Te1[B(s2, 1)] ^ Te2[B(s3, 2)] ^ Te3[s0 & 0xff] ^ rk[1];
    const uint32_t t2 = Te0[s2 >> 24] ^ Te1[B(s3, 1)] ^ Te2[B(s0, 2)] ^ Te3[s1 & 0xff] ^ rk[2];
    const uint32_t t3 = Te0[s3 >> 24] ^ Te1[B(s0, 1)] ^ Te2[B(s1, 2)] ^ Te3[s2 & 0xff] ^ rk[3];
    s0 = t0, s1 = t1, s2 = t2, s3 = t3;
  }
  rk += 4;
  auto last = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t k) {
    return (uint32_t{S[a >> 24]} << 24 | uint32_t{S[B(b, 1)]} << 16 | uint32_t{S[B(c, 2)]} << 8 | S[d & 0xff]) ^ k;
  };
  Store(out, last(s0, s1, s2, s3, rk[0]));
  Store(out + 4, last(s1, s2, s3, s0, rk[1]));
  Store(out + 8, last(s2, s3, s0, s1, rk[2]));
  Store(out + 12, last(s3, s0, s1, s2, rk[3]));
}

void CRijndael::DecipherBlock(const unsigned char* in, unsigned char* out) const {
  CheckKey();
  const uint32_t* rk = m_decKey.data();
  uint32_t s0 = Load(in) ^ rk[0], s1 = Load(in + 4) ^ rk[1], s2 = Load(in + 8) ^ rk[2], s3 = Load(in + 12) ^ rk[3];
  for (int r = 1; r < kRounds; ++r) {
    rk += 4;
    const uint32_t t0 = Td0[s0 >> 24] ^ Td1[B(s3, 1)] ^ Td2[B(s2, 2)] ^ Td3[s1 & 0xff] ^ rk[0];
    const uint32_t t1 = Td0[s1 >> 24] ^ Td1[B(s0, 1)] ^ Td2[B(s3, 2)] ^ Td3[s2 & 0xff] ^ rk[1];
    const uint32_t t2 = Td0[s2 >> 24] ^ Td1[B(s1, 1)] ^ Td2[B(s0, 2)] ^ Td3[s3 & 0xff] ^ rk[2];
    const uint32_t t3 = Td0[s3 >> 24] ^ Td1[B(s2, 1)] ^ Td2[B(s1, 2)] ^ Td3[s0 & 0xff] ^ rk[3];
    s0 = t0, s1 = t1, s2 = t2, s3 = t3;
  }
  rk += 4;
  auto last = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t k) {
    return (uint32_t{Si[a >> 24]} << 24 | uint32_t{Si[B(b, 1)]} << 16 | uint32_t{Si[B(c, 2)]} << 8 | Si[d & 0xff]) ^ k;
  };
  Store(out, last(s0, s3, s2, s1, rk[0]));
  Store(out + 4, last(s1, s0, s3, s2, rk[1]));
  Store(out + 8, last(s2, s1, s0, s3, rk[2]));
  Store(out + 12, last(s3, s2, s1, s0, rk[3]));
}

size_t CRijndael::EncryptBuffer(const unsigned char* in, unsigned char* out, size_t n) const {
  CheckKey();
  CheckLength(n);
  for (size_t i = 0; i < n; i += kBlockSize) EncipherBlock(in + i, out + i);
  return n / kBlockSize;
}

size_t CRijndael::DecryptBuffer(const unsigned char* in, unsigned char* out, size_t n) const {
  CheckKey();
  CheckLength(n);
  for (size_t i = 0; i < n; i += kBlockSize) DecipherBlock(in + i, out + i);
  return n / kBlockSize;
}
