// Packet operations on arbitrary text and names: no crash, no overread, and
// the invariants every caller relies on.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "packet/packet.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Layout: name length (1 byte), value length (1 byte), name, value, text.
  if (size < 2) return 0;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  size_t name_len = data[0] % 16, value_len = data[1] % 32;
  std::string_view rest = all.substr(2);
  name_len = std::min(name_len, rest.size());
  const std::string_view name = rest.substr(0, name_len);
  rest.remove_prefix(name_len);
  value_len = std::min(value_len, rest.size());
  const std::string_view value = rest.substr(0, value_len);
  rest.remove_prefix(value_len);

  Packet p(rest);
  Check(p.GetText().find('\0') == std::string::npos);
  Check(zm::FindText<char>(p.GetText(), "%") == std::string::npos);
  (void)p.GetString(name, "d");
  (void)p.GetInt64(name, 0);
  const std::string before = p.GetText();
  p.AddString(name, value);
  Check(p.GetText().size() == before.size() ||
        p.GetText().size() == before.size() + 2 * name.size() + value.size() + 5);
  p.AddInt64(name, static_cast<int64_t>(size) - 100);
  Packet copy(p.GetText());
  p.CopyField(name, &copy);
  p.SetString(name, value);
  p.SetInt64(name, -1);
  p.RemoveField(name);
  const std::string wire = p.ToUtf8();
  Check(!wire.empty() && wire.back() == '\0');
  (void)zm::WireToText(rest);

  WPacket w(std::wstring(rest.begin(), rest.end()));
  const std::wstring wname(name.begin(), name.end());
  w.SetString(wname, std::wstring(value.begin(), value.end()));
  (void)w.GetInt64(wname, 0);
  w.RemoveField(wname);
  return 0;
}
