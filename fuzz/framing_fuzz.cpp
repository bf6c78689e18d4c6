// The stream framing on arbitrary bytes: no crash or overread, every packet
// starts with "<PKT>", and the packets do not depend on how the stream is
// cut into reads. First byte: the read size for the cut-up feed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "zmx/net/framing.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void Drain(zm::net::FrameBuffer& buf, std::vector<std::string>& out) {
  while (auto p = buf.ExtractPacket()) {
    Check(p->GetText().starts_with("<PKT>"));
    out.push_back(p->GetText());
  }
  buf.EnforceLimit();
  Check(buf.Size() <= zm::net::kReassemblyLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t step = data[0] % 16 + 1;
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);

  zm::net::FrameBuffer whole, pieces;
  std::vector<std::string> a, b;
  whole.Append(stream);
  Drain(whole, a);
  for (size_t at = 0; at < stream.size(); at += step) {
    pieces.Append(stream.substr(at, step));
    Drain(pieces, b);
  }
  Check(a == b);
  Check(whole.Bytes() == pieces.Bytes());
  return 0;
}
