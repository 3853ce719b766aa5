// Where the readers' findings go. The program's reading records a fault in
// the model and words nothing; the author's checker words every finding and
// places it in the text. A reader passes the facts (the fault, and the
// reading's record, value and fields, see lettura) and a callable that builds
// the words, which only the checker calls.
#ifndef READER_REPORTER_H_
#define READER_REPORTER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/guasto.h"
#include "model/problem.h"
#include "reader/function_ref.h"

namespace compattatore {

class checker_reporter;

/// What the checker says of a finding: where, what, and further places.
struct wording {
  text_place place;
  std::string message;
  std::vector<problem_note> notes = {};
};

/// Builds a finding's words from what the checker knows of the reading.
using words_fn = function_ref<wording(const checker_reporter&)>;

class reporter {
 public:
  virtual ~reporter() = default;
  reporter(const reporter&) = delete;
  reporter& operator=(const reporter&) = delete;

  /// Whether the reading recovers: a faulty record is reported and left out
  /// and reading goes on. Otherwise a hard fault ends reading the text.
  bool recupera() const { return recupera_; }

  /// A fault the program's reading records in the model; the checker
  /// reports it with `g`'s code.
  virtual void registra(const guasto& g, words_fn words) = 0;
  /// A finding of the recovering reading alone: an error with fault code
  /// `code`, or the warning `name`.
  virtual void errore(std::int32_t /*code*/, words_fn /*words*/) {}
  virtual void avviso(std::string_view /*name*/, words_fn /*words*/) {}

  // The steps of the reading the checker follows to place and word what it
  // finds. The record being read, its value and its fields are the
  // reading's own (lettura).

  /// A text was opened.
  virtual void testo_aperto() {}
  /// A record begins at the keyword field noted last.
  virtual void record_iniziato() {}
  /// The record was read whole, and nothing left it out.
  virtual void record_letto() {}
  /// The record could not be read (`what`, from read_failure). The checker
  /// reports it and moves the cursor to where the next record can begin.
  virtual void record_illeggibile(const char* /*what*/) {}
  /// A keyword field that named no record; `riconosciuto`: a keyword all
  /// the same (a curve row read without a track line).
  virtual void keyword_non_usata(std::string_view /*keyword*/,
                                 bool /*riconosciuto*/) {}
  /// A name or inscription was read.
  virtual void testo_letto(std::string_view /*testo*/) {}

  // The objects in the cell row and the records behind them, so that a
  // fault about a cell can name the record that holds it.

  /// The cell row was made, `celle` cells.
  virtual void celle_fatte(std::size_t /*celle*/) {}
  /// Notes the current record, placed at `metri`, as the origin of objects
  /// it puts into the row: a number for `marca`, or -1 when nobody follows.
  virtual std::int32_t origine(std::int64_t /*metri*/) { return -1; }
  virtual void marca(std::int64_t /*cella*/, std::int32_t /*origine*/) {}
  /// Whether cell `cella` holds an object of a noted record.
  virtual bool ha_occupante(std::int64_t /*cella*/) const { return false; }

  // The chainage rows, which the train reader's closing steps test.

  /// Row `riga` (0, 1, 2: "tre", "due", "uno") was read whole.
  virtual void progressiva_letta(int /*riga*/) {}
  /// The rows were put in order: entry 81 + i came from row `da[i]` (-1:
  /// cleared); `lette`: any row held a value before.
  virtual void progressive_ordinate(const std::array<int, 3>& /*da*/,
                                    bool /*lette*/) {}

 protected:
  explicit reporter(bool recupera) : recupera_(recupera) {}

 private:
  bool recupera_;
};

}  // namespace compattatore

#endif  // READER_REPORTER_H_
