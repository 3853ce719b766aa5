// The checker's reporter: the recovering reading's findings as problems with
// words and places in the text, and what it keeps to make them: where
// "[fine]" stands, the line a reported problem drags along, the chainage
// rows' places, keyword hints, the records behind the objects in the cell
// row.
#ifndef READER_CHECKER_REPORTER_H_
#define READER_CHECKER_REPORTER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/problem.h"
#include "reader/lettura.h"
#include "reader/reporter.h"

namespace compattatore {

class checker_reporter final : public reporter {
 public:
  /// Follows the reading `l`; every finding goes to `sink`.
  checker_reporter(lettura& l, problem_sink& sink)
      : reporter(true), l_(l), sink_(sink) {}

  void registra(const guasto& g, words_fn words) override;
  void errore(std::int32_t code, words_fn words) override;
  void avviso(std::string_view name, words_fn words) override;

  void testo_aperto() override;
  void record_iniziato() override;
  void record_letto() override;
  void record_illeggibile(const char* what) override;
  void keyword_non_usata(std::string_view keyword, bool riconosciuto) override;
  void testo_letto(std::string_view testo) override;

  void celle_fatte(std::size_t celle) override { sink_.size_cells(celle); }
  std::int32_t origine(std::int64_t metri) override;
  void marca(std::int64_t cella, std::int32_t origine) override {
    if (origine >= 0) sink_.mark(cella, origine);
  }
  bool ha_occupante(std::int64_t cella) const override {
    return sink_.origin(cella) != nullptr;
  }

  void progressiva_letta(int riga) override;
  void progressive_ordinate(const std::array<int, 3>& da, bool lette) override;

  // What the words of a finding are made of.

  /// The place of a field of the open text (with no line when none is
  /// open).
  text_place posto(field_span f) const;
  text_place posto_primo() const { return posto(l_.primo); }
  text_place posto_keyword() const { return posto(l_.keyword); }
  text_place posto_ultimo() const;
  /// Where the chainage row that went to entry 81 + `i` stands.
  text_place posto_progressiva(std::size_t i) const;
  /// "the signal at 41500 m": how messages name the current record.
  std::string chi(std::int64_t metri) const;
  /// A position beyond the row (code 15) for the current record: "the
  /// signal at 90000 m lies beyond the track: ...".
  std::string oltre(std::int32_t p, std::int32_t margine) const;
  /// The note naming what holds cell `c`: "taken by the signal at ... here".
  std::vector<problem_note> occupante(std::int64_t c) const;
  /// What a cell holds, for a message: "a signal".
  std::string contenuto_cella(std::int64_t c) const;

 private:
  lettura& l_;
  problem_sink& sink_;
  /// A line whose further keyword fields are dragged along by a problem
  /// already reported on it, and are not reported again.
  std::int32_t riga_trascinata_ = 0;
  /// Where "[fine]" was met, and whether a record after it was reported.
  std::optional<text_place> posto_fine_;
  bool dopo_fine_detto_ = false;
  /// The chainage rows as read, and for entries 81, 82, 83 after ordering
  /// which row they came from.
  std::array<std::optional<text_place>, 3> posti_progressiva_;
  std::array<int, 3> origine_progressiva_{-1, -1, -1};
};

/// "41500 m".
std::string metri(std::int64_t m);

}  // namespace compattatore

#endif  // READER_CHECKER_REPORTER_H_
