#include "model/codici_errore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace compattatore::codice {
namespace {

struct readme_row {
  std::string meaning;
  std::string position;
  std::string kind;
};

// The rows "| CODE | Meaning | Position | Kind |" of the README's fault
// tables, by code.
std::map<std::int32_t, readme_row> readme_fault_rows() {
  std::ifstream in(COMPATTATORE_README);
  std::map<std::int32_t, readme_row> rows;
  bool in_section = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("## ")) in_section = line == "## Fault codes";
    if (!in_section || !line.starts_with("| ")) continue;
    std::vector<std::string> cells;
    std::istringstream row(line.substr(2));
    for (std::string cell; std::getline(row, cell, '|');) {
      cells.push_back(cell.substr(0, cell.find_last_not_of(' ') + 1));
      if (cells.back().starts_with(' ')) cells.back().erase(0, 1);
    }
    if (cells.size() < 4 || cells[0].empty() ||
        cells[0].find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    rows[std::stoi(cells[0])] = {cells[1], cells[2], cells[3]};
  }
  return rows;
}

TEST(FaultTable, TheReadmeListsEveryCodeAsTheTableStatesIt) {
  const auto rows = readme_fault_rows();
  ASSERT_FALSE(rows.empty()) << "no fault table in " << COMPATTATORE_README;
  std::size_t listed = 0;
  for (const fault_entry& e : fault_table()) {
    const auto it = rows.find(e.code);
    if (it == rows.end()) {
      ADD_FAILURE() << "code " << e.code << " missing from the README";
      continue;
    }
    ++listed;
    EXPECT_EQ(it->second.meaning,
              std::string(e.meaning) + std::string(e.detail))
        << "code " << e.code;
    EXPECT_EQ(it->second.position, e.position_text) << "code " << e.code;
    EXPECT_EQ(it->second.kind, kind_text(e.kind)) << "code " << e.code;
  }
  EXPECT_EQ(listed, rows.size()) << "the README lists a code the table lacks";
}

TEST(FaultTable, EveryCodeIsFoundWithItsMeaningAndOthersAreNot) {
  for (const fault_entry& e : fault_table()) {
    ASSERT_EQ(find_fault(e.code), &e);
    EXPECT_FALSE(e.meaning.empty()) << e.code;
    EXPECT_EQ(significato(e.code), e.meaning);
  }
  EXPECT_EQ(significato(nessuno), "no fault");
  EXPECT_EQ(find_fault(nessuno), nullptr);
  for (std::int32_t unknown : {-1, 14, 23, 26, 100, 111}) {
    EXPECT_EQ(find_fault(unknown), nullptr) << unknown;
    EXPECT_TRUE(significato(unknown).empty()) << unknown;
  }
}

TEST(SealGuards, AreFoundByTheirNumbersAndAreNoFaultCodes) {
  for (std::int32_t code : {1250, 1251}) {
    const seal_guard_entry* g = find_seal_guard(code);
    ASSERT_NE(g, nullptr) << code;
    EXPECT_EQ(g->code, code);
    EXPECT_FALSE(g->meaning.empty()) << code;
    EXPECT_EQ(find_fault(code), nullptr) << code;
  }
  for (std::int32_t other : {0, 25, 125, 1249, 1252}) {
    EXPECT_EQ(find_seal_guard(other), nullptr) << other;
  }
}

}  // namespace
}  // namespace compattatore::codice
