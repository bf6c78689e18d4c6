// config.dat as the fuzzer makes it: first byte picks the form, the rest is
// either the file's bytes or a record text that is enciphered first (so the
// deciphered path beyond the cipher is reached too).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "packet/text_search.h"
#include "zmx/app/command_line.h"
#include "zmx/app/config_file.h"

namespace {

const CRijndael& Cipher() {
  static const CRijndael cipher = [] {
    CRijndael c;
    c.SetKey(zm::MakeConfigKey(0).c_str());
    return c;
  }();
  return cipher;
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool asText = data[0] & 1;
  ++data, --size;
  const CRijndael& cipher = Cipher();

  if (!asText) {
    Packet record(0);
    const std::string created = record.GetText();
    const bool applied = zm::ApplyConfigBytes(cipher, {data, size}, record);
    if (!applied) Check(record.GetText() == created);
    if (applied) Check(zm::FindText<char>(record.GetText(), "</PKT>") != std::string_view::npos);
    if (size > 0 && size % 16 == 0) {
      const std::string text = zm::DecryptText(cipher, {data, size});
      Check(text.size() <= size && text.find('\0') == std::string::npos);
    }
    return 0;
  }

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto bytes = zm::EncryptText(cipher, text);
  Check(bytes.size() == size - size % 16 + 16);
  const std::string back = zm::DecryptText(cipher, bytes);
  Check(back == text.substr(0, text.find('\0')));
  Packet record(0);
  const bool usable = !back.empty() && zm::FindText<char>(back, "</PKT>") != std::string_view::npos;
  Check(zm::ApplyConfigBytes(cipher, bytes, record) == usable);
  if (usable) Check(record.GetText() == Packet(std::string_view(back)).GetText());
  return 0;
}
