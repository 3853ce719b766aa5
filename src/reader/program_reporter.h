// The program's reporter: a fault goes into the model as a code and a
// position, and no word of any finding is made.
#ifndef READER_PROGRAM_REPORTER_H_
#define READER_PROGRAM_REPORTER_H_

#include "model/scenario.h"
#include "reader/reporter.h"

namespace compattatore {

class program_reporter final : public reporter {
 public:
  explicit program_reporter(scenario& s) : reporter(false), s_(s) {}

  void registra(const guasto& g, words_fn /*words*/) override {
    compattatore::registra(s_, g);
  }

 private:
  scenario& s_;
};

}  // namespace compattatore

#endif  // READER_PROGRAM_REPORTER_H_
