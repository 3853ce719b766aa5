// The window lives in a module that is loaded only when there is a display:
// a headless run then never loads the window libraries, which took about a
// quarter of its time.
#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "app/window.h"
#include "platform/real_file_system.h"

namespace compattatore {
namespace {

using open_fn = window* (*)();

void* load_module() {
  std::string beside;
  try {
    beside = program_dir() + "/" + COMPATTATORE_WINDOW_MODULE;
  } catch (const file_error&) {
    // Without the program's folder the other places are still tried.
  }
  // Beside the executable, where the package puts it, where it was built:
  // a copy of the executable in a folder of its own still finds it.
  for (const std::string& path :
       {beside, std::string(COMPATTATORE_WINDOW_MODULE_INSTALLED),
        std::string(COMPATTATORE_WINDOW_MODULE_BUILT)}) {
    if (path.empty()) continue;
    if (void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<window> open_window() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  void* module = load_module();
  if (module == nullptr) return nullptr;
  // The module stays loaded to the end: the window's code lives in it.
  const auto open =
      reinterpret_cast<open_fn>(::dlsym(module, "compattatore_open_window"));
  if (open == nullptr) return nullptr;
  return std::unique_ptr<window>(open());
}

}  // namespace compattatore
