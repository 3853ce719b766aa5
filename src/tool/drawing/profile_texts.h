// `compatta profile`: the profiles of a scenario drawn from its texts
// compiled in memory, so the drawing shows what the simulator would load.
#ifndef TOOL_DRAWING_PROFILE_TEXTS_H_
#define TOOL_DRAWING_PROFILE_TEXTS_H_

#include <ostream>
#include <string>

#include "tool/compilation/scenario_texts.h"

namespace compattatore::tool {

struct profile_options {
  /// The texts and the names, as `compile` takes them.
  text_options texts;
  std::string out;
  int width = 1600;
  int height = 1000;
  /// The stretch, as given ("1500", "1500m", "1.5km"); empty: from the
  /// start, to the route's end.
  std::string from;
  std::string to;
};

/// Returns the exit status: 0 drawn (also when the texts hold a data fault,
/// which is reported on `err`: the files would be written all the same), 2
/// wrong usage, a text that cannot be read, an output whose format is
/// unknown, that is one of the texts or that cannot be written, or a
/// stretch that is not one of the route. One file as both texts is read as
/// `compile` reads it.
int run_profile(const profile_options& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PROFILE_TEXTS_H_
