// A drawing put on disk: its format told by the output's name, and its bytes
// written whole, never over one of the command's inputs.
#ifndef TOOL_DRAWING_DRAWING_FILE_H_
#define TOOL_DRAWING_DRAWING_FILE_H_

#include <optional>
#include <ostream>
#include <string>

#include "tool/drawing/plot_surface.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {

/// The format `path` names by its extension; nothing, after saying why on
/// `err`, when it names none.
std::optional<plot_format> drawing_format(const std::string& path,
                                          std::ostream& err);

/// Writes a drawing's bytes to `path` through `fs`, which until now only
/// read, and says so on `out`. Returns the exit status: 0, or 2 with the
/// reason on `err`.
int write_drawing(guarded_file_system& fs, const std::string& path,
                  const std::string& drawing, std::ostream& out,
                  std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_DRAWING_FILE_H_
