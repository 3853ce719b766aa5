// The compaction driver: clear, read, complete, seal, write.
#ifndef COMPACT_DRIVER_H_
#define COMPACT_DRIVER_H_

#include <cstdint>

#include "model/fatal_report.h"
#include "model/file_names.h"
#include "model/problem.h"
#include "model/scenario.h"
#include "platform/file_system.h"
#include "reader/memorizza_dati.h"

namespace compattatore {

// Seal values: stamps and the error numbers of the two guards.
inline constexpr std::int16_t timbro_stazioni = 610;
inline constexpr std::int16_t timbro_celle = 5121;
inline constexpr std::string_view errore_sigillo_1 = "1250";
inline constexpr std::string_view errore_sigillo_2 = "1251";

/// The two guards, the stamps and the check codes. On a failed guard calls
/// `report.errore` and returns false; nothing is stamped after that guard.
/// With `sink`, a failed guard is also reported there (code 1250 or 1251)
/// at the record that took the seal's place.
[[nodiscard]] bool sigilla(scenario& s, fatal_report& report,
                           problem_sink* sink = nullptr);

/// Steps before any file is written: stores `j`, clears the fault and the
/// station table, reads the texts, runs the consistency pass and seals.
/// False when a seal guard failed (the report has been made). With `sink`
/// the reading recovers and every problem goes there (memorizza_dati).
[[nodiscard]] bool compatta(scenario& s, std::int32_t j, file_system& fs,
                            const testi_scenario& testi, fatal_report& report,
                            problem_sink* sink = nullptr);

/// Replaces the route-wide file (when `s.scrivi_tracciato` is nonzero), the
/// station table file and the cell row file as one set: the simulator
/// must never load files of two different compiles. Throws file_error.
void scrivi_file_compilati(const scenario& s, file_system& fs,
                           const file_names& names);

/// The whole driver over the program's files: `compatta` on the texts that
/// `names` places, then `scrivi_file_compilati` unless a guard failed.
void memorizza_percorso(scenario& s, std::int32_t j, file_system& fs,
                        const file_names& names, fatal_report& report);

}  // namespace compattatore

#endif  // COMPACT_DRIVER_H_
