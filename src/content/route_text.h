// The compiled-in route text.
#ifndef CONTENT_ROUTE_TEXT_H_
#define CONTENT_ROUTE_TEXT_H_

#include <string_view>

#include "content/text_writer.h"
#include "model/file_names.h"
#include "platform/file_system.h"

namespace compattatore {

/// Name of the compiled-in route.
inline constexpr std::string_view nome_linea_compilato = "Orsella_Vantrona";

/// Lines of the route text (140), the end marker after them.
righe righe_linea();

/// Writes the route text to `names.testo_linea()`.
void dati_linea(file_system& fs, const file_names& names);

}  // namespace compattatore

#endif  // CONTENT_ROUTE_TEXT_H_
