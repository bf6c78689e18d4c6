// Cutting the server's byte stream into packets. Each packet arrives as its
// UTF-8 text, "<PKT>" ... "</PKT>", followed by one terminator byte; there is
// no length prefix, so a frame ends at the first "</PKT>" that does not start
// the buffer, and only once its terminator byte is there too.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "packet/packet.h"

namespace zm::net {

// Received bytes waiting for the end of their frame are held up to this much.
// A stream that passes it without completing a frame has its buffer emptied;
// framing then resumes at the next "</PKT>".
inline constexpr size_t kReassemblyLimit = size_t{16} << 20;

class FrameBuffer {
 public:
  void Append(std::string_view bytes);

  // The next complete packet from the front of the buffer, or null when no
  // frame is complete. Frames without "<PKT>" are dropped on the way; text
  // before "<PKT>" inside a frame is dropped.
  std::unique_ptr<Packet> ExtractPacket();

  // After extraction: a buffer past the limit holds only an unfinished frame.
  // Empties it and returns true in that case.
  bool EnforceLimit();

  void Clear();
  size_t Size() const { return bytes_.size() - head_; }
  std::string_view Bytes() const { return std::string_view(bytes_).substr(head_); }

 private:
  void Consume(size_t n);

  std::string bytes_;
  size_t head_ = 0;  // bytes before this were taken as frames already
  // Offset from head_ where the search for "</PKT>" resumes: every earlier
  // start was checked, so a huge frame arriving in pieces is scanned once.
  size_t scan_ = 1;
};

}  // namespace zm::net
