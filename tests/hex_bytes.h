// Bytes as two-digit hex pairs, so that a failing encoder test shows where
// its output differs.
#ifndef TESTS_HEX_BYTES_H_
#define TESTS_HEX_BYTES_H_

#include <string>
#include <string_view>

namespace compattatore {

/// "01 FE 7F": each byte as two upper-case hex digits, one space between.
inline std::string hex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

}  // namespace compattatore

#endif  // TESTS_HEX_BYTES_H_
