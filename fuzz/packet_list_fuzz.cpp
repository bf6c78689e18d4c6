// List splitting on arbitrary text: tokens are never empty, never contain the
// separator at a character start, and lie inside the text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "packet/packet_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (char sep : {zm::kRowSeparator, zm::kCellSeparator}) {
    for (std::string_view token : zm::SplitTokens(text, sep)) {
      if (token.empty() || token.data() < text.data() || token.data() + token.size() > text.data() + text.size())
        std::abort();
      if (token.front() == sep) std::abort();
    }
  }
  std::vector<std::string_view> firsts;
  for (auto row : zm::SplitTokens(text, zm::kRowSeparator)) {
    size_t pos = 0;
    if (auto cell = zm::NextToken(row, zm::kCellSeparator, pos)) firsts.push_back(*cell);
  }
  (void)zm::JoinComma(firsts);
  return 0;
}
