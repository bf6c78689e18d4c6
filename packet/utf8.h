// The platform-free UTF-8 codec of the native build.
#pragma once

#include <string>
#include <string_view>

namespace zm::utf8 {

std::u16string Decode(std::string_view utf8);
std::string Encode(std::u16string_view text);

}  // namespace zm::utf8
