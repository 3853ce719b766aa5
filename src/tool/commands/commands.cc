#include "tool/commands/commands.h"

namespace compattatore::tool {

std::span<const command> commands() {
  static const command table[] = {
      compile_command(), check_command(),     build_command(),
      texts_command(),   dump_command(),      plot_command(),
      explain_command(), report_command(),    watch_command(),
      profile_command(), decompile_command(),
  };
  return table;
}

}  // namespace compattatore::tool
