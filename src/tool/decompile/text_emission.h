// The recovered texts written out as the compiled-in texts are laid out:
// headings, the general section, a section per record kind, a note line
// (by the minus-sign rule) above each saying what was recovered, CR LF.
#ifndef TOOL_DECOMPILE_TEXT_EMISSION_H_
#define TOOL_DECOMPILE_TEXT_EMISSION_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tool/decompile/recovered_texts.h"

namespace compattatore::tool {

/// `testo` as one text field the field reader gives back exactly: bare,
/// or in double quotes when it holds a comma or blanks at either end.
/// Nothing when no field can hold it (a line end, or a comma or blank end
/// beside a double quote).
std::optional<std::string> campo_testo(std::string_view testo);

/// The route text's bytes. `avvisi` gets what could not be written as it
/// was recovered.
std::string testo_linea(const testi_recuperati& t,
                        std::vector<std::string>& avvisi);
/// The train text's bytes.
std::string testo_treno(const testi_recuperati& t,
                        std::vector<std::string>& avvisi);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_TEXT_EMISSION_H_
