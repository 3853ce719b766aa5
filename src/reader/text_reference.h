// The author's reference of the two scenario texts, printed from the table of
// text records: every record the readers recognise, its keyword, its values
// with units and the values the readers accept, and a line that reads clean.
// The README holds it, and `compatta explain --reference` prints it.
#ifndef READER_TEXT_REFERENCE_H_
#define READER_TEXT_REFERENCE_H_

#include <string>

namespace compattatore {

/// The README's "Writing scenario texts" reference, in Markdown, ending in a
/// line end.
std::string riferimento_markdown();

}  // namespace compattatore

#endif  // READER_TEXT_REFERENCE_H_
