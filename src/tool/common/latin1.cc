#include "tool/common/latin1.h"

namespace compattatore::tool {

std::string latin1_to_utf8(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xc0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3f));
    }
  }
  return out;
}

std::string utf8_to_latin1(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b == 0xc2 || b == 0xc3) && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[++i]);
      out += static_cast<char>(((b & 0x03) << 6) | (next & 0x3f));
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace compattatore::tool
