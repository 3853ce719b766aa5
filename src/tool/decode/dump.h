// `compatta dump`: a compiled file decoded, as text for people or as JSON
// whose field values rebuild the records. The renderings have their own
// headers, included here for the command's users.
#ifndef TOOL_DECODE_DUMP_H_
#define TOOL_DECODE_DUMP_H_

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tool/common/distance.h"
#include "tool/common/latin1.h"
#include "tool/decode/compiled_kind.h"
#include "tool/decode/dump_json.h"
#include "tool/decode/dump_text.h"

namespace compattatore::tool {

struct dump_options {
  std::string file;
  /// Empty: from the file's name.
  std::string kind;
  bool json = false;
  /// Cells: every cell, not only those holding an object (JSON: those with
  /// a nonzero field).
  bool all = false;
  /// Cells and track: the stretch to list, as given ("1500", "1500m",
  /// "1.5km"); empty: from the start, to the end.
  std::string from;
  std::string to;
};

/// Returns the exit status: 0, or 2 when the file cannot be read, its kind
/// cannot be told, or its bytes are not what the kind's layout says.
int run_dump(const dump_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DECODE_DUMP_H_
