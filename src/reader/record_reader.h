// What the route reader and the train reader share: the reading and its
// reporter, one turn of the dispatch loop over a keyword field (with the
// recovering reading's one catch), the values a row's table entry reads, the
// position test, and a record's hard fault.
#ifndef READER_RECORD_READER_H_
#define READER_RECORD_READER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

#include "reader/field_reader.h"
#include "reader/lettura.h"
#include "reader/reporter.h"
#include "reader/text_records.h"

namespace compattatore {

/// The minus-sign rule: a keyword field holding "-" gives way to the next
/// field, `volte` times at most. With `guarda_fine`, the text's end is looked
/// for after each field taken, and ends the records; without, reading past
/// the end fails.
struct regola_meno {
  int volte;
  bool guarda_fine;
};
inline constexpr regola_meno meno_generale{10, false};
inline constexpr regola_meno meno_record{2, true};

class record_reader {
 protected:
  record_reader(lettura& l, reporter& r) : l_(l), r_(r), s_(l.s) {}

  /// One record kind as a reader dispatches it.
  template <typename Lettore>
  struct voce {
    text_record_kind kind;
    bool (*riconosce)(std::string_view keyword);
    /// Reads the record (what the loop has not read) and takes it in.
    esito (Lettore::*leggi)();
    /// The loop reads every value of the row into `valori_` and tests the
    /// position before `leggi`. Otherwise `leggi` reads the values itself:
    /// a record that stores or tests a value before the next is read.
    bool dalla_tabella = false;
    /// Recognised only when the track line is built.
    bool con_tracciato = false;
  };

  /// The keyword field just read into `s.riga`: the minus-sign rule, then
  /// every record of `voci` it names, each read whole before the next kind
  /// is tested. A faulty record left out is passed over to the next line;
  /// `noto` says whether a field that named no record is a keyword all the
  /// same. fine_record: the text ended in the minus-sign rule.
  template <typename Lettore, std::size_t n>
  esito keyword(Lettore& self, regola_meno meno,
                const voce<std::type_identity_t<Lettore>> (&voci)[n],
                bool (*noto)(std::string_view) = nullptr) {
    bool riconosciuto = false;
    esito e = esito::avanti;
    // The one place a record's unreadable value is caught.
    try {
      if (!applica_meno(meno)) return esito::fine_record;
      l_.segna_keyword();
      for (const voce<Lettore>& v : voci) {
        if (v.con_tracciato && s_.scrivi_tracciato == 0) continue;
        if (!v.riconosce(s_.riga)) continue;
        riconosciuto = true;
        l_.inizia_record(v.kind);
        if (r_.recupera()) r_.record_iniziato();
        if (v.dalla_tabella) {
          e = valori_e_posizione();
          if (e != esito::avanti) break;
        }
        e = (self.*v.leggi)();
        if (e != esito::avanti) break;
      }
    } catch (const read_failure& x) {
      return illeggibile(x);
    }
    return dopo_keyword(e, riconosciuto, noto);
  }

  /// Value `i` of the current record as the loop read it from the table.
  std::int32_t letto(std::size_t i) const { return valori_[i]; }

  /// A hard fault of the current record, recorded at its first value.
  esito rifiuta(std::int32_t code, std::optional<std::int32_t> posizione,
                words_fn words) {
    return rifiuta_a(code, posizione, l_.primo.begin, words);
  }
  /// A hard fault recorded at the field at `campo`: the program's reading
  /// closes and deletes the text; the recovering one leaves the record out.
  esito rifiuta_a(std::int32_t code, std::optional<std::int32_t> posizione,
                  std::size_t campo, words_fn words);

  /// Position `p` of the current record, its first value: not negative,
  /// and within the row and `margine` past it. The loop tests it for a
  /// record read from the table; a record that reads its own values tests
  /// it itself.
  esito posizione_valida(std::int32_t p, std::int32_t margine);

  lettura& l_;
  reporter& r_;
  scenario& s_;

 private:
  static constexpr std::size_t massimo_valori = 17;

  /// Takes the next field while the keyword field holds "-"; false when the
  /// text ended there, where the rule looks for its end.
  bool applica_meno(regola_meno meno);
  /// A record that could not be read: the program's reading lets the
  /// failure go on to the clean-up at the reading's entry; the recovering
  /// one reports it, and the record is left out.
  esito illeggibile(const read_failure& x);
  /// What follows a keyword field's records in the recovering reading.
  esito dopo_keyword(esito e, bool riconosciuto,
                     bool (*noto)(std::string_view));

  /// Reads the current row's values in table order (a text into `s.riga`),
  /// then tests its position.
  esito valori_e_posizione();
  std::array<std::int32_t, massimo_valori> valori_{};
};

}  // namespace compattatore

#endif  // READER_RECORD_READER_H_
