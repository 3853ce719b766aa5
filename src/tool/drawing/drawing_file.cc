#include "tool/drawing/drawing_file.h"

#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"

namespace compattatore::tool {

std::optional<plot_format> drawing_format(const std::string& path,
                                          std::ostream& err) {
  const std::optional<plot_format> format = format_from_name(path);
  if (!format) {
    err << message_prefix << "cannot tell the drawing's format from " << path
        << ": name it *.svg, *.png or *.pdf\n";
  }
  return format;
}

int write_drawing(guarded_file_system& fs, const std::string& path,
                  const std::string& drawing, std::ostream& out,
                  std::ostream& err) {
  fs.allow_writes();
  try {
    fs.replace(path, drawing);
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
    return exit_status::file_failure;
  }
  out << "wrote " << path << " (" << drawing.size() << " bytes)\n";
  return exit_status::ok;
}

}  // namespace compattatore::tool
