// Every problem one reading of the texts finds, for the author's tool: the
// recovering reading, the consistency pass and the seal add to one list,
// and remember which record put each object into the cell row so that a
// fault about a cell can name the record behind it.
#ifndef MODEL_PROBLEM_H_
#define MODEL_PROBLEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"

namespace compattatore {

/// A place in one of the two texts: 1-based line, first column and one past
/// the last column of the field concerned (0 when not known).
struct text_place {
  quale_testo file = quale_testo::nessuno;
  std::int32_t line = 0;
  std::int32_t column = 0;
  std::int32_t end_column = 0;
};

/// A further place a problem refers to ("taken by the signal at ... here").
struct problem_note {
  text_place place;
  std::string message;
};

struct problem {
  /// The fault code of an error; 0 for a warning.
  std::int32_t code = 0;
  /// The warning's name (from the warning table); empty for an error.
  std::string_view warning;
  text_place place;
  std::string message;
  std::vector<problem_note> notes;
};

/// The record behind an object in the cell row: where it is written and
/// what a message calls it ("the signal at 41500 m"). The name is put
/// together only for a message: a long route has thousands of records and
/// almost never a fault.
struct record_origin {
  text_place place;
  /// The record's name, from the readers' record table; for an object
  /// placed for another record, what it is called before that record's
  /// name. Static text either way.
  std::string_view name;
  /// Where the record puts its object.
  std::int64_t metres = 0;
  /// The record the object was placed for; -1 for a record's own object.
  std::int32_t placed_for = -1;
};

/// Collects the problems of one recovering reading. Its presence is what
/// makes a reading recover: a reader given none behaves as the program.
class problem_sink {
 public:
  void add(problem p) { list_.push_back(std::move(p)); }
  void error(std::int32_t code, const text_place& at, std::string message,
             std::vector<problem_note> notes = {}) {
    add({code, {}, at, std::move(message), std::move(notes)});
  }
  void warning(std::string_view name, const text_place& at, std::string message,
               std::vector<problem_note> notes = {}) {
    add({0, name, at, std::move(message), std::move(notes)});
  }
  const std::vector<problem>& list() const { return list_; }
  bool has_errors() const {
    for (const problem& p : list_) {
      if (p.code != 0) return true;
    }
    return false;
  }

  /// Makes room for a cell row of `cells` cells, none with an origin.
  void size_cells(std::size_t cells) { cell_record_.assign(cells, -1); }
  /// Notes a record; returns its number for `mark`.
  std::int32_t add_record(record_origin r) {
    records_.push_back(std::move(r));
    return static_cast<std::int32_t>(records_.size() - 1);
  }
  /// Cell `c` now holds an object of record `record`.
  void mark(std::int64_t c, std::int32_t record) {
    if (c >= 0 && static_cast<std::size_t>(c) < cell_record_.size()) {
      cell_record_[static_cast<std::size_t>(c)] = record;
    }
  }
  /// The record behind cell `c`, or null.
  const record_origin* origin(std::int64_t c) const {
    if (c < 0 || static_cast<std::size_t>(c) >= cell_record_.size()) {
      return nullptr;
    }
    const std::int32_t r = cell_record_[static_cast<std::size_t>(c)];
    return r < 0 ? nullptr : &records_[static_cast<std::size_t>(r)];
  }
  std::int32_t record_of(std::int64_t c) const {
    if (c < 0 || static_cast<std::size_t>(c) >= cell_record_.size()) return -1;
    return cell_record_[static_cast<std::size_t>(c)];
  }
  const record_origin& record(std::int32_t r) const {
    return records_[static_cast<std::size_t>(r)];
  }
  /// What a message calls `o`: "the signal at 41500 m", or for an object
  /// placed for another record "the 180 km/h speed point placed for the
  /// signal at 41500 m".
  std::string what(const record_origin& o) const;

 private:
  std::vector<problem> list_;
  std::vector<std::int32_t> cell_record_;
  std::vector<record_origin> records_;
};

/// How a message names a record by its name and metres: "the signal at
/// 41500 m".
std::string record_called(std::string_view name, std::int64_t metres);

/// What a cell holds, as a message says it: "a signal", "nothing".
std::string describe_cell(const cella& c);

}  // namespace compattatore

#endif  // MODEL_PROBLEM_H_
