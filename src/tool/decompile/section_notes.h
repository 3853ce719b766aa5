// The note line above each section of the decompiled texts: what was
// recovered there and from what, in the author's words.
#ifndef TOOL_DECOMPILE_SECTION_NOTES_H_
#define TOOL_DECOMPILE_SECTION_NOTES_H_

#include <cstddef>
#include <string>

#include "tool/decompile/recovered_texts.h"
#include "tool/decompile/route_recovery.h"

namespace compattatore::tool {

struct fonti_note {
  /// The files' names as given.
  std::string stazioni;
  std::string tracciato;  // empty: no route-wide file
  lettura_linea lettura = lettura_linea::intera;
  /// Where the track line's drawing ends (for a route text that stopped).
  std::int32_t fine_disegno = 0;
  std::size_t punti_del_passo = 0;
};

/// Fills `t.linea.note` and `t.treno.note`.
void annota(const fonti_note& f, testi_recuperati& t);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_SECTION_NOTES_H_
