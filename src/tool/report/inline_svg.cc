#include "tool/report/inline_svg.h"

#include <cstddef>

namespace compattatore::tool {
namespace {

// The value of attribute `name` in the tag `tag`, or empty.
std::string_view attribute(std::string_view tag, std::string_view name) {
  std::size_t at = 0;
  while ((at = tag.find(name, at)) != std::string_view::npos) {
    const bool starts = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\n' ||
                                   tag[at - 1] == '\t');
    const std::size_t eq = at + name.size();
    if (starts && eq + 1 < tag.size() && tag[eq] == '=' &&
        (tag[eq + 1] == '"' || tag[eq + 1] == '\'')) {
      const char quote = tag[eq + 1];
      const std::size_t end = tag.find(quote, eq + 2);
      if (end == std::string_view::npos) return {};
      return tag.substr(eq + 2, end - eq - 2);
    }
    at = eq;
  }
  return {};
}

// Copies `body`, putting `prefix` before every id and every reference to
// one. The patterns are those cairo writes; an id never holds a quote.
std::string prefixed_ids(std::string_view body, const std::string& prefix) {
  static constexpr std::string_view patterns[] = {" id=\"", "href=\"#",
                                                  "url(#"};
  std::string out;
  out.reserve(body.size() + body.size() / 8);
  std::size_t i = 0;
  while (i < body.size()) {
    std::size_t next = std::string_view::npos;
    std::size_t length = 0;
    for (std::string_view p : patterns) {
      const std::size_t at = body.find(p, i);
      if (at < next) {
        next = at;
        length = p.size();
      }
    }
    if (next == std::string_view::npos) {
      out.append(body.substr(i));
      break;
    }
    out.append(body.substr(i, next + length - i));
    out += prefix;
    i = next + length;
  }
  return out;
}

}  // namespace

bool inline_svg(std::string_view document, std::string_view prefix,
                std::string* out, std::string* err,
                std::string_view attributes) {
  const std::size_t open = document.find("<svg");
  const std::size_t open_end =
      open == std::string_view::npos ? open : document.find('>', open);
  const std::size_t close = document.rfind("</svg>");
  if (open_end == std::string_view::npos || close == std::string_view::npos ||
      close < open_end) {
    *err = "the drawing holds no <svg> element";
    return false;
  }
  const std::string_view root = document.substr(open, open_end - open);
  const std::string_view view_box = attribute(root, "viewBox");
  if (view_box.empty() || view_box.find_first_not_of("0123456789.-+eE ") !=
                              std::string_view::npos) {
    *err = "the drawing's <svg> element has no view box";
    return false;
  }
  const std::string p = std::string(prefix) + "-";
  out->clear();
  *out += "<svg id=\"";
  out->append(prefix);
  *out += "\" class=\"drawing\" viewBox=\"";
  out->append(view_box);
  *out += "\" preserveAspectRatio=\"xMidYMid meet\"";
  if (!attributes.empty()) {
    *out += ' ';
    out->append(attributes);
  }
  *out += '>';
  *out += prefixed_ids(document.substr(open_end + 1, close - open_end - 1), p);
  *out += "</svg>";
  return true;
}

}  // namespace compattatore::tool
