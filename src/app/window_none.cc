#include "app/window.h"

namespace compattatore {

std::unique_ptr<window> open_window() { return nullptr; }

}  // namespace compattatore
