#include "tool/common/html_text.h"

#include <cstddef>

#include "tool/common/latin1.h"

namespace compattatore::tool {
namespace {

// Length of the valid UTF-8 sequence starting at `i`, or 0 when there is
// none (overlong forms, surrogates and code points past U+10FFFF count as
// invalid).
std::size_t utf8_length(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return 1;
  std::size_t n = 0;
  unsigned int cp = 0;
  if (b >= 0xc2 && b <= 0xdf) {
    n = 2;
    cp = b & 0x1fu;
  } else if (b >= 0xe0 && b <= 0xef) {
    n = 3;
    cp = b & 0x0fu;
  } else if (b >= 0xf0 && b <= 0xf4) {
    n = 4;
    cp = b & 0x07u;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xc0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3fu);
  }
  if ((n == 3 && (cp < 0x800 || (cp >= 0xd800 && cp <= 0xdfff))) ||
      (n == 4 && (cp < 0x10000 || cp > 0x10ffff))) {
    return 0;
  }
  return n;
}

}  // namespace

std::string html_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\0':
        // The parser would drop it or make it U+FFFD; say so plainly.
        out += "&#xfffd;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

std::string html_latin1(std::string_view bytes) {
  return html_escape(latin1_to_utf8(bytes));
}

std::string as_utf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = utf8_length(bytes, i);
    if (n == 0) {
      utf8 += latin1_to_utf8(bytes.substr(i, 1));
      ++i;
    } else {
      utf8.append(bytes.substr(i, n));
      i += n;
    }
  }
  return utf8;
}

std::string html_bytes(std::string_view bytes) {
  return html_escape(as_utf8(bytes));
}

}  // namespace compattatore::tool
