#include "tool/build/build_state.h"

#include <sys/stat.h>

#include <charconv>
#include <cstddef>

#include "version/version.h"

namespace compattatore::tool {
namespace {

// The state file is a first line naming it, its format, the version of the
// tool that wrote it and the fingerprint of the rest, then the rest: one JSON
// object. The fingerprint makes any damage to the rest visible, so that the
// file is trusted whole or not at all.
constexpr std::string_view heading = "compatta build state ";
constexpr int format_version = 1;

using json = nlohmann::ordered_json;

json stamp_json(const file_stamp& f) {
  return {{"size", f.size}, {"mtime_ns", f.mtime_ns}, {"inode", f.inode}};
}

file_stamp stamp_from(const json& j) {
  file_stamp f;
  f.size = j.at("size").get<std::uint64_t>();
  f.mtime_ns = j.at("mtime_ns").get<std::int64_t>();
  f.inode = j.at("inode").get<std::uint64_t>();
  return f;
}

std::string text_at(const json& j, const char* key) {
  const json& v = j.at(key);
  if (!v.is_string()) throw std::invalid_argument(key);
  return v.get<std::string>();
}

std::string dump(const json& j) {
  return j.dump(1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

std::optional<file_stamp> stamp_of(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return std::nullopt;
  }
  file_stamp f;
  f.size = static_cast<std::uint64_t>(st.st_size);
  f.mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 +
               static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  f.inode = static_cast<std::uint64_t>(st.st_ino);
  return f;
}

std::string fingerprint(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  constexpr std::string_view digits = "0123456789abcdef";
  std::string out(16, '0');
  for (std::size_t i = 16; i-- > 0; h >>= 4) out[i] = digits[h & 0xf];
  return out;
}

std::optional<build_state> read_state(std::string_view bytes,
                                      std::string* why) {
  const std::size_t eol = bytes.find('\n');
  if (!bytes.starts_with(heading) || eol == std::string_view::npos) {
    *why = "not a build state";
    return std::nullopt;
  }
  // "FORMAT VERSION FINGERPRINT"
  const std::string_view head =
      bytes.substr(heading.size(), eol - heading.size());
  const std::string_view body = bytes.substr(eol + 1);
  const std::size_t a = head.find(' ');
  const std::size_t b = head.rfind(' ');
  if (a == std::string_view::npos || b == a) {
    *why = "damaged";
    return std::nullopt;
  }
  int format = 0;
  const std::string_view format_text = head.substr(0, a);
  const auto [p, ec] = std::from_chars(
      format_text.data(), format_text.data() + format_text.size(), format);
  if (ec != std::errc{} || p != format_text.data() + format_text.size() ||
      format != format_version) {
    *why = "written in another format";
    return std::nullopt;
  }
  const std::string_view made_by = head.substr(a + 1, b - a - 1);
  if (made_by != version) {
    *why =
        "written by version " + std::string(made_by) + ", this is " + version;
    return std::nullopt;
  }
  if (head.substr(b + 1) != fingerprint(body)) {
    *why = "damaged";
    return std::nullopt;
  }
  const json j = json::parse(body, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    *why = "damaged";
    return std::nullopt;
  }
  build_state s;
  try {
    s.texts = text_at(j, "texts");
    for (const auto& [name, r] : j.at("routes").items()) {
      s.routes[name] = {text_at(r, "route_hash"), stamp_from(r.at("track"))};
    }
    for (const auto& [name, r] : j.at("scenarios").items()) {
      scenario_record& sc = s.scenarios[name];
      sc.route = text_at(r, "route");
      sc.route_hash = text_at(r, "route_hash");
      sc.train_hash = text_at(r, "train_hash");
      sc.status = r.at("status").get<int>();
      sc.diagnostics = text_at(r, "diagnostics");
      sc.json = r.at("json");
      if (!sc.json.is_object()) throw std::invalid_argument("json");
      sc.stations = stamp_from(r.at("stations"));
      sc.cells = stamp_from(r.at("cells"));
    }
  } catch (const std::exception&) {
    // A well-formed file of the wrong shape: not this tool's.
    *why = "damaged";
    return std::nullopt;
  }
  return s;
}

std::string state_bytes(const build_state& s) {
  json routes = json::object();
  for (const auto& [name, r] : s.routes) {
    routes[name] = {{"route_hash", r.route_hash},
                    {"track", stamp_json(r.track)}};
  }
  json scenarios = json::object();
  for (const auto& [name, sc] : s.scenarios) {
    scenarios[name] = {{"route", sc.route},
                       {"route_hash", sc.route_hash},
                       {"train_hash", sc.train_hash},
                       {"status", sc.status},
                       {"diagnostics", sc.diagnostics},
                       {"json", sc.json},
                       {"stations", stamp_json(sc.stations)},
                       {"cells", stamp_json(sc.cells)}};
  }
  const json j = {
      {"texts", s.texts}, {"routes", routes}, {"scenarios", scenarios}};
  const std::string body = dump(j) + '\n';
  return std::string(heading) + std::to_string(format_version) + ' ' + version +
         ' ' + fingerprint(body) + '\n' + body;
}

}  // namespace compattatore::tool
