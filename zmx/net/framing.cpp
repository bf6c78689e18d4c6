#include "zmx/net/framing.h"

#include <algorithm>
#include <cstring>

namespace zm::net {

namespace {

constexpr std::string_view kEnd = "</PKT>";
constexpr std::string_view kBegin = "<PKT>";

size_t Find(std::string_view hay, std::string_view needle, size_t from) {
#if defined(__GLIBC__)
  if (from >= hay.size()) return std::string_view::npos;
  const void* at = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
  return at ? static_cast<size_t>(static_cast<const char*>(at) - hay.data()) : std::string_view::npos;
#else
  return hay.find(needle, from);
#endif
}

}  // namespace

void FrameBuffer::Append(std::string_view bytes) {
  // Taken frames are dropped from the front once they outweigh what is left,
  // so removing a frame never moves the whole buffer.
  if (head_ > 0 && head_ >= bytes_.size() - head_) {
    bytes_.erase(0, head_);
    head_ = 0;
  }
  bytes_.append(bytes);
}

void FrameBuffer::Consume(size_t n) {
  head_ += n;
  scan_ = 1;
  if (head_ == bytes_.size()) {
    bytes_.clear();
    head_ = 0;
  }
}

std::unique_ptr<Packet> FrameBuffer::ExtractPacket() {
  for (;;) {
    const std::string_view buf = Bytes();
    if (buf.size() <= kEnd.size()) return nullptr;
    const size_t end = Find(buf, kEnd, scan_);
    if (end == std::string_view::npos) {
      // An "</PKT>" may still be completed by bytes to come.
      scan_ = std::max<size_t>(1, buf.size() - (kEnd.size() - 1));
      return nullptr;
    }
    scan_ = end;
    const size_t frame_size = end + kEnd.size();
    if (frame_size >= buf.size()) return nullptr;  // the terminator byte is not here yet
    const std::string text = WireToText(buf.substr(0, frame_size));
    Consume(frame_size + 1);  // the terminator's value is not looked at
    const size_t begin = text.find(kBegin);
    if (begin == std::string::npos) continue;
    return std::make_unique<Packet>(std::string_view(text).substr(begin));
  }
}

bool FrameBuffer::EnforceLimit() {
  if (Size() <= kReassemblyLimit) return false;
  Clear();
  return true;
}

void FrameBuffer::Clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  head_ = 0;
  scan_ = 1;
}

}  // namespace zm::net
