#include "tool/common/distance.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <tuple>

namespace compattatore::tool {

std::optional<std::int64_t> parse_distance(std::string_view text) {
  double scale = 1;
  if (text.ends_with("km")) {
    scale = 1000;
    text.remove_suffix(2);
  } else if (text.ends_with("m")) {
    text.remove_suffix(1);
  }
  double value = 0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() ||
      !(value >= 0) || value * scale > 1e12) {
    return std::nullopt;
  }
  // Metres are whole: a stretch given in km to the metre rounds to it.
  return static_cast<std::int64_t>(std::llround(value * scale));
}

bool parse_stretch(const std::string& from, const std::string& to,
                   std::int64_t route_end, requested_stretch* out,
                   std::string* err, std::string_view end_name) {
  *out = {};
  for (const auto& [given, end, name] :
       {std::tuple{&from, &out->from, "--from"},
        std::tuple{&to, &out->to, "--to"}}) {
    if (given->empty()) continue;
    const std::optional<std::int64_t> metres = parse_distance(*given);
    if (!metres) {
      *err = std::string(name) + ' ' + *given +
             ": not a distance: give metres (1500 or 1500m) or kilometres "
             "(1.5km)";
      return false;
    }
    if (*metres > route_end) {
      *err = std::string(name) + ' ' + *given + " lies beyond " +
             std::string(end_name) + " at " + std::to_string(route_end) + " m";
      return false;
    }
    *end = *metres;
  }
  const std::int64_t a = out->from < 0 ? 0 : out->from;
  const std::int64_t b = out->to < 0 ? route_end : out->to;
  if (a >= b) {
    *err = "--from " + (from.empty() ? std::string("0") : from) +
           " does not lie before --to " +
           (to.empty() ? std::to_string(route_end) + " m (" +
                             std::string(end_name) + ")"
                       : to) +
           ": give a stretch of some length";
    return false;
  }
  return true;
}

}  // namespace compattatore::tool
