// Native build: the ANSI code page is CP949, converted through iconv.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>

#include "packet/codepage.h"
#include "packet/utf8.h"

namespace zm::codepage {
namespace {

// One converter per thread and direction, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; an input unit the target cannot hold becomes
  // `fallback` and conversion goes on after `skip` bytes.
  std::string Run(const char* data, size_t size, size_t skip, std::string_view fallback) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(size * 2 + 16, '\0');
    char* in = const_cast<char*>(data);
    size_t in_left = size;
    char* o = out.data();
    size_t o_left = out.size();
    while (in_left > 0) {
      if (iconv(cd_, &in, &in_left, &o, &o_left) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = out.size() - o_left;
        out.resize(out.size() * 2);
        o = out.data() + used;
        o_left = out.size() - used;
        continue;
      }
      // EILSEQ or EINVAL: an unconvertible or incomplete unit.
      if (o_left < fallback.size()) {
        const size_t used = out.size() - o_left;
        out.resize(out.size() * 2);
        o = out.data() + used;
        o_left = out.size() - used;
      }
      for (char c : fallback) *o++ = c, --o_left;
      const size_t step = in_left < skip ? in_left : skip;
      in += step;
      in_left -= step;
    }
    out.resize(out.size() - o_left);
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

const bool* LeadByteTable() {
  static const auto table = [] {
    std::array<bool, 256> t{};
    for (int b = 0x81; b <= 0xFE; ++b) t[b] = true;
    return t;
  }();
  return table.data();
}

bool IsLeadByte(unsigned char byte) { return LeadByteTable()[byte]; }

std::u16string AnsiToUtf16(std::string_view ansi) {
  thread_local Converter conv("UTF-16LE", "CP949");
  static constexpr char kQuestion[2] = {'?', '\0'};  // U+003F, little-endian
  std::string bytes = conv.Run(ansi.data(), ansi.size(), 1, std::string_view(kQuestion, 2));
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  thread_local Converter conv("CP949", "UTF-16LE");
  std::string le(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    le[2 * i] = static_cast<char>(text[i] & 0xFF);
    le[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  // Each UTF-16 unit the code page cannot hold becomes one "?".
  return conv.Run(le.data(), le.size(), 2, "?");
}

std::u16string Utf8ToUtf16(std::string_view utf8) { return utf8::Decode(utf8); }

std::string Utf16ToUtf8(std::u16string_view text) { return utf8::Encode(text); }

}  // namespace zm::codepage
