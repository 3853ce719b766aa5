// What `compatta build` remembers between builds: for each scenario and
// each route, what its compiled files were made from and what they were
// when written, so that an unchanged scenario is not compiled again.
#ifndef TOOL_BUILD_BUILD_STATE_H_
#define TOOL_BUILD_BUILD_STATE_H_

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace compattatore::tool {

/// The state file's name in the output folder: hidden, as a build tool's.
inline constexpr std::string_view state_file_name = ".compatta-build-state";

/// What a compiled file was when last written: a file replaced, touched or
/// deleted since no longer matches.
struct file_stamp {
  std::uint64_t size = 0;
  std::int64_t mtime_ns = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const file_stamp&, const file_stamp&) = default;
};

/// The stamp of the regular file at `path`; nothing when there is none.
std::optional<file_stamp> stamp_of(const std::string& path);

/// A text's content as 16 hexadecimal digits (64-bit FNV-1a): equal texts
/// give equal digits, and an edit gives others but for a chance of 2^-64.
std::string fingerprint(std::string_view bytes);

/// A route whose route-wide file was written.
struct route_record {
  std::string route_hash;
  file_stamp track;
};

/// A scenario whose files were written (a clean one or one with a data
/// fault): what it was made from and what the compile said.
struct scenario_record {
  std::string route;  // the route's name
  std::string route_hash;
  std::string train_hash;
  int status = 0;
  /// What `check` prints for it, each line ending in a line end.
  std::string diagnostics;
  /// The compile's `--json` object without "files".
  nlohmann::ordered_json json;
  file_stamp stations;
  file_stamp cells;
};

struct build_state {
  /// The folder of texts as the build was given it: the diagnostics name
  /// the texts by it.
  std::string texts;
  std::map<std::string, route_record> routes;        // by route name
  std::map<std::string, scenario_record> scenarios;  // by NAME_N
};

/// The state in `bytes`. Nothing, with `*why` saying so, when they are not
/// a whole state of this tool's version: such a file is never trusted in
/// part.
std::optional<build_state> read_state(std::string_view bytes, std::string* why);

/// The bytes of the state file for `s`, the same for the same state.
std::string state_bytes(const build_state& s);

}  // namespace compattatore::tool

#endif  // TOOL_BUILD_BUILD_STATE_H_
