// The train part of reading: train values, line speeds, adhesion, clock,
// sand, signals, slowdowns, speed caps and stations.
#ifndef READER_TRAIN_READER_H_
#define READER_TRAIN_READER_H_

#include "reader/lettura.h"
#include "reader/reporter.h"

namespace compattatore {

/// Reads and deletes the train text, its findings going to `r`. Throws
/// read_failure and file_error for the caller's clean-up.
void leggi_treno(lettura& l, reporter& r);

}  // namespace compattatore

#endif  // READER_TRAIN_READER_H_
