// The route part of reading: general section, chainage ordering, route
// records, gradients, track line, indication boards.
#ifndef READER_ROUTE_READER_H_
#define READER_ROUTE_READER_H_

#include "reader/lettura.h"
#include "reader/reporter.h"

namespace compattatore {

/// Reads and deletes the route text, its findings going to `r`. True when the
/// train text is to be read next (the text was read to its end, or stopped at a
/// position beyond the row); false when the text is missing (nothing deleted)
/// or after a hard fault. Throws read_failure and file_error for the caller's
/// clean-up, also for a text without a route length.
[[nodiscard]] bool leggi_linea(lettura& l, reporter& r);

}  // namespace compattatore

#endif  // READER_ROUTE_READER_H_
