// The packet record in the forms the system uses, and the wire conversions
// of the gateway's form.
#pragma once

#include <string>
#include <string_view>

#include "packet/basic_packet.h"

// The gateway's packet: ANSI code page text.
class Packet : public BasicPacket<char> {
 public:
  using BasicPacket<char>::BasicPacket;

  // The wire form: UTF-8 of the text plus one 0x00 byte (its size counts it).
  std::string ToUtf8() const;
};

// The zone library's packet: UTF-16 text.
using WPacket = BasicPacket<wchar_t>;

namespace zm {

// A received frame (UTF-8, possibly malformed) as ANSI code page text:
// malformed sequences become U+FFFD, characters the code page lacks its
// default character, and the text ends at the first NUL.
std::string WireToText(std::string_view frame);

}  // namespace zm
