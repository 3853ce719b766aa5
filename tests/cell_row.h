// Test helpers for the cell row: a row of empty cells and a readable list
// of the cells where two rows differ.
#ifndef TESTS_CELL_ROW_H_
#define TESTS_CELL_ROW_H_

#include <cstddef>
#include <string>
#include <vector>

#include "model/record_fields.h"
#include "model/scenario.h"

namespace compattatore {

/// Every field of a cell, in record order.
inline std::string descrivi(const cella& c) {
  std::string out;
  for_each_field(cell_fields, [&](const auto& f) {
    if (!out.empty()) out += ", ";
    out += std::string(f.name) + " " + std::to_string(int{c.*f.member});
  });
  return out;
}

/// One line per cell that differs, "cell i: got ... want ..."; empty when
/// the rows are equal.
inline std::string differenze(const std::vector<cella>& got,
                              const std::vector<cella>& want) {
  if (got.size() != want.size()) {
    return "sizes " + std::to_string(got.size()) + " and " +
           std::to_string(want.size());
  }
  std::string out;
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got[i] == want[i]) continue;
    out += "cell " + std::to_string(i) + ": got " + descrivi(got[i]) +
           "; want " + descrivi(want[i]) + "\n";
  }
  return out;
}

}  // namespace compattatore

#endif  // TESTS_CELL_ROW_H_
