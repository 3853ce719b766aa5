// The three printed documents of the scenario: notes, slowdown order form
// and timetable sheet. Fixed texts; only their file names are built.
#ifndef DOCUMENTS_DOCUMENTS_H_
#define DOCUMENTS_DOCUMENTS_H_

#include "content/text_writer.h"
#include "model/file_names.h"
#include "platform/file_system.h"

namespace compattatore {

/// The notes: no lines (a 0-byte file).
righe righe_note();
/// The slowdown order form: 46 lines.
righe righe_rallentamenti();
/// The timetable sheet: 51 lines.
righe righe_scheda();

void dati_note(file_system& fs, const file_names& names);
void dati_rallentamenti(file_system& fs, const file_names& names);
void dati_scheda(file_system& fs, const file_names& names);

}  // namespace compattatore

#endif  // DOCUMENTS_DOCUMENTS_H_
