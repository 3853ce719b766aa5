// compatta: the scenario author's tool. Compiles texts of one's own as the
// program does, explains data faults, decodes and draws compiled files.
#include <iostream>

#include "platform/process_memory.h"
#include "tool/cli/cli.h"
#include "tool/commands/commands.h"

int main(int argc, char** argv) {
  compattatore::keep_freed_memory();
  return compattatore::tool::compatta_main(
      argc, argv, compattatore::tool::commands(), std::cout, std::cerr);
}
