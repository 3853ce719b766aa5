#include "reader/text_records.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "model/codici_errore.h"
#include "reader/memorizza_dati.h"
#include "reader/text_reference.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

constexpr const char* linea = "/d/r_linea.txt";
constexpr const char* treno = "/d/r_1-.txt";

// A small route and train around one record line, placed where its kind is
// recognised.
struct texts {
  std::string route;
  std::string train;
};

texts around(const text_record& r, std::string_view line) {
  std::string generale;
  std::string record;
  std::string train_record;
  switch (r.section) {
    case sezione_testo::generale_linea:
      generale = std::string(line) + "\r\n";
      break;
    case sezione_testo::record_linea:
      record = std::string(line) + "\r\n";
      break;
    case sezione_testo::treno:
      train_record = std::string(line) + "\r\n";
      break;
  }
  // The length row comes first so that an example of it, read later,
  // sets a different length.
  return {"[generale]\r\nlunghezza percorso, 10000\r\n" + generale +
              "[curve]\r\n" + record + "[fine]\r\n",
          "[generale]\r\n" + train_record + "[fine]\r\n"};
}

scenario read(const texts& t) {
  memory_file_system fs;
  fs.files[linea] = t.route;
  fs.files[treno] = t.train;
  scenario s;
  s.scrivi_tracciato = 1;
  memorizza_dati(s, fs, {linea, treno, false});
  return s;
}

bool same_model(const scenario& a, const scenario& b) {
  return a.numero_celle == b.numero_celle && a.celle == b.celle &&
         a.stazioni == b.stazioni && a.tracciato == b.tracciato;
}

// The k-th whole number after the keyword field, replaced by `text`.
std::string with_field(std::string_view line, std::size_t k,
                       std::string_view text) {
  std::size_t at = line.find(',');
  std::size_t seen = 0;
  while (at != std::string_view::npos && at < line.size()) {
    const std::size_t start = line.find_first_of("-0123456789", at);
    if (start == std::string_view::npos) break;
    std::size_t end = start + 1;
    while (end < line.size() &&
           std::isdigit(static_cast<unsigned char>(line[end])) != 0) {
      ++end;
    }
    if (seen == k) {
      return std::string(line.substr(0, start)) + std::string(text) +
             std::string(line.substr(end));
    }
    ++seen;
    at = end;
  }
  ADD_FAILURE() << "no number " << k << " in " << line;
  return std::string(line);
}

std::string with_number(std::string_view line, std::size_t k,
                        std::int64_t value) {
  return with_field(line, k, std::to_string(value));
}

// Every example in the reference reads without a fault and changes what is
// read: it is a record the readers recognise, with values they accept.
TEST(TextRecords, EveryExampleIsReadAndCounts) {
  for (const text_record& r : text_records()) {
    const scenario without = read(around(r, ""));
    const scenario with = read(around(r, r.example));
    EXPECT_EQ(with.codice_errore, 0) << r.title << ": " << r.example;
    EXPECT_FALSE(same_model(with, without)) << r.title << ": " << r.example;
  }
}

// Kinds index the table.
TEST(TextRecords, TableIsInKindOrder) {
  const auto table = text_records();
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(table[i].kind), i) << table[i].title;
    EXPECT_EQ(&text_record_of(table[i].kind), &table[i]) << table[i].title;
  }
}

// The value a row names as its position is the one the readers test against
// the cell row, with the row's margin: the example moved to the last place
// the test lets through reads no range fault, one metre further reads one
// at that position. The route of `around` is 10000 m, so the row ends at
// 17000 m.
TEST(TextRecords, PositionIsTestedWithItsMargin) {
  constexpr std::int32_t fine_riga = 17000;
  for (const text_record& r : text_records()) {
    if (!r.position) continue;
    const std::int32_t ultima = fine_riga - r.position->margine;
    const scenario inside =
        read(around(r, with_number(r.example, r.position->value, ultima)));
    EXPECT_NE(inside.codice_errore, codice::oltre_celle)
        << r.title << " at " << ultima;
    const scenario beyond =
        read(around(r, with_number(r.example, r.position->value, ultima + 1)));
    EXPECT_EQ(beyond.codice_errore, codice::oltre_celle) << r.title;
    EXPECT_EQ(beyond.posizione_errore, ultima + 1) << r.title;
  }
}

// A record whose values are all read before its position is tested reports
// an unreadable second value (25) before a position beyond the row (15); a
// station tests its position, and stores it, before it reads on.
TEST(TextRecords, ValuesReadBeforeThePositionTest) {
  constexpr std::int32_t oltre = 17000;
  for (const text_record& r : text_records()) {
    if (!r.position || r.values[1].width == value_width::text) continue;
    const std::string line =
        with_field(with_number(r.example, r.position->value, oltre), 1, "x");
    const scenario s = read(around(r, line));
    const bool stazione = r.kind == text_record_kind::stazione;
    EXPECT_EQ(s.codice_errore,
              stazione ? codice::oltre_celle : codice::lettura_fallita)
        << r.title << ": " << line;
    if (stazione) {
      EXPECT_EQ(s.stazioni[1].progressiva, oltre) << "stored before the test";
    }
  }
}

// Where the reference names the largest value a field holds, the readers
// take it and refuse one more.
TEST(TextRecords, StatedLargestValuesAreTheReadersOwn) {
  for (const text_record& r : text_records()) {
    for (std::size_t k = 0; k < r.values.size(); ++k) {
      const text_value& v = r.values[k];
      if (!v.range.largest_readable) continue;
      const std::int32_t largest = *v.range.largest_readable;
      const std::string at_max = with_number(r.example, k, largest);
      const std::string above = with_number(r.example, k, largest + 1);
      EXPECT_EQ(read(around(r, at_max)).codice_errore, 0)
          << r.title << ", " << v.name << ": " << at_max;
      EXPECT_NE(read(around(r, above)).codice_errore, 0)
          << r.title << ", " << v.name << ": " << above;
    }
  }
}

// The README's reference is this table, printed: between its heading and
// the next heading of the same level it holds exactly riferimento_markdown().
TEST(TextRecords, ReadmeHoldsTheReference) {
  std::ifstream in(COMPATTATORE_README);
  ASSERT_TRUE(in) << COMPATTATORE_README;
  std::stringstream all;
  all << in.rdbuf();
  const std::string readme = all.str();
  const std::string start = "<!-- text reference: begin -->\n";
  const std::string end = "<!-- text reference: end -->\n";
  const std::size_t from = readme.find(start);
  const std::size_t to = readme.find(end);
  ASSERT_NE(from, std::string::npos) << "no reference in the README";
  ASSERT_NE(to, std::string::npos);
  EXPECT_EQ(readme.substr(from + start.size(), to - from - start.size()),
            riferimento_markdown())
      << "print the reference again: compatta explain --reference";
}

}  // namespace
}  // namespace compattatore
