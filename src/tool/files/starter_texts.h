// The compiled-in scenario's texts and documents written out, as a starting
// point for an author.
#ifndef TOOL_FILES_STARTER_TEXTS_H_
#define TOOL_FILES_STARTER_TEXTS_H_

#include <ostream>
#include <string>

namespace compattatore::tool {

/// Writes the route text, the train text and the three documents of the
/// compiled-in scenario into `dir` (made when missing), under the
/// program's names. An author may have edited them there: unless `force`,
/// nothing is written when any of them exists. Returns the exit status: 0,
/// or 2 when one exists or a file cannot be written.
int write_starter_texts(const std::string& dir, bool force, std::ostream& out,
                        std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_FILES_STARTER_TEXTS_H_
