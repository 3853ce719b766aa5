// The compiled-in train text.
#ifndef CONTENT_TRAIN_TEXT_H_
#define CONTENT_TRAIN_TEXT_H_

#include <string_view>

#include "content/text_writer.h"
#include "model/file_names.h"
#include "platform/file_system.h"

namespace compattatore {

/// Number of the compiled-in train.
inline constexpr std::string_view numero_treno_compilato = "4273";

/// Lines of the train text (86), the end marker after them.
righe righe_treno();

/// Writes the train text to `names.testo_treno()`.
void dati_treno(file_system& fs, const file_names& names);

}  // namespace compattatore

#endif  // CONTENT_TRAIN_TEXT_H_
