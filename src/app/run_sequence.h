// The program's one run, in its fixed order.
#ifndef APP_RUN_SEQUENCE_H_
#define APP_RUN_SEQUENCE_H_

#include <functional>
#include <string>

#include "model/fatal_report.h"
#include "model/scenario.h"
#include "platform/file_system.h"

namespace compattatore {

/// Sets the two names, calls `mostra_finestra` (show and paint the window
/// once), writes the route text, the train text and the three documents,
/// and compacts with `j` = 1, every file in `dir`. File failures propagate
/// as file_error; a failed seal guard goes to `report`.
void form_load(scenario& s, file_system& fs, const std::string& dir,
               fatal_report& report,
               const std::function<void()>& mostra_finestra);

}  // namespace compattatore

#endif  // APP_RUN_SEQUENCE_H_
