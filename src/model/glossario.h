// What the compiled records mean, for people: the cell kinds and the
// station table's entries with a fixed use.
#ifndef MODEL_GLOSSARIO_H_
#define MODEL_GLOSSARIO_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace compattatore {

/// What a cell kind (`oggetto`) stands for, in plain words.
std::string_view significato_oggetto(std::uint8_t oggetto);

/// The use of entry `i` of the station table holding `s`: "unused" (entry
/// 0), a header or chainage row, or by its content "station", "indication
/// board" or "empty".
std::string_view ruolo_voce(std::size_t i, const stazione& s);

/// The fields of a header or chainage entry by what they hold; empty for
/// the other entries.
std::string significato_testata(std::size_t i, const stazione& s);

}  // namespace compattatore

#endif  // MODEL_GLOSSARIO_H_
