// State shared by the route part and the train part of one reading, and the
// small rules both use: cell indices, the range test, fault recording.
#ifndef READER_LETTURA_H_
#define READER_LETTURA_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/guasto.h"
#include "model/problem.h"
#include "model/scenario.h"
#include "platform/file_system.h"
#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"
#include "reader/text_records.h"

namespace compattatore {

/// How many times a keyword field holding "-" is replaced by the next one:
/// in the route text's general section, and everywhere else.
inline constexpr int sostituzioni_generale = 10;
inline constexpr int sostituzioni = 2;

/// How reading goes on after a record or a pass of a reader.
enum class [[nodiscard]] esito{
    avanti,       // the next record
    salta,        // recovering: a fault, reported; the record is left out
    fine_record,  // a soft fault (a position beyond the row), recorded: the
                  // records end here, the closing steps still run
    rifiuto,      // a hard fault, recorded; the text is closed and deleted
};

struct lettura {
  lettura(scenario& s_, file_system& fs_, const testi_scenario& testi_,
          problem_sink* sink_ = nullptr)
      : s(s_), fs(fs_), testi(testi_), sink(sink_) {}

  scenario& s;
  file_system& fs;
  const testi_scenario& testi;
  /// Given, the reading recovers: a faulty record is reported here and
  /// left out, and reading goes on. Absent, reading is the program's.
  problem_sink* sink;
  bool recupera() const { return sink != nullptr; }

  /// The `stazioni` entry the next indication board takes; boards fill
  /// downward, and the station reader stops before it.
  std::int32_t posto_cartello = stazione_primo_cartello;

  /// The text being read, and its fields. The fields view the file
  /// system's own bytes or `contenuto`, a copy owned here, so they stay
  /// valid while the failure clean-up still looks at them after the
  /// reader's own locals are gone.
  quale_testo corrente = quale_testo::nessuno;
  std::string contenuto;
  std::string_view aperto;  // the whole text being read
  std::optional<field_reader> campi;

  /// The record being read: where its first value stands, whose place its
  /// faults point at.
  std::size_t inizio_record = 0;
  text_place primo_posto;
  /// Reads the record's first value and notes where it stands.
  std::int32_t primo_valore();
  /// A hard fault at the field at `at`: recorded, then the open text is
  /// closed and deleted. When recovering, reported with `message` at
  /// `posto` and the record is left out instead.
  esito rifiuta(std::int32_t code, std::optional<std::int32_t> posizione,
                std::size_t at, const text_place& posto, std::string message,
                std::vector<problem_note> notes = {});
  /// A record's position `p`, its field at `campo`: not negative, and
  /// within the row and `margine` past it.
  esito posizione_valida(std::int32_t p, std::size_t campo,
                         std::int32_t margine);

  /// Starts reading the text at `path` as `which`. Throws file_error when
  /// it cannot be read, with nothing changed.
  void apri(quale_testo which, const std::string& path) {
    std::string letto;
    const std::string_view visto = fs.view(path, limite_testo, letto);
    corrente = which;
    riga_trascinata = 0;
    posto_fine.reset();
    dopo_fine_detto = false;
    campi.reset();
    // Bytes read here are viewed where they stay, in `contenuto`.
    const bool proprio = visto.data() == letto.data();
    contenuto = std::move(letto);
    aperto = proprio ? std::string_view(contenuto) : visto;
    campi.emplace(aperto);
  }
  /// Forgets the open text and deletes it, when this reading deletes texts.
  void chiudi_e_cancella(const std::string& path) {
    campi.reset();
    contenuto.clear();
    aperto = {};
    corrente = quale_testo::nessuno;
    if (testi.cancella) fs.remove(path);
  }

  // What the recovering reading keeps to place and word its messages: the
  // record being read, the value being read, where its keyword stands.
  const text_record* record = nullptr;
  int valore = -1;
  std::size_t inizio_keyword = 0;
  std::size_t fine_keyword = 0;
  /// A line whose further keyword fields are dragged along by a problem
  /// already reported on it, and are not reported again.
  std::int32_t riga_trascinata = 0;
  /// Where "[fine]" was met, and whether a record after it was reported.
  std::optional<text_place> posto_fine;
  bool dopo_fine_detto = false;
  /// The chainage rows as read, for entries 81, 82, 83.
  std::array<std::optional<text_place>, 3> posti_progressiva;
  /// For entries 81, 82, 83 after ordering: which row they came from.
  std::array<int, 3> origine_progressiva{-1, -1, -1};

  /// The place of the bytes `da` to `a` of the open text.
  text_place posto(std::size_t da, std::size_t a) const;
  /// The place of the field read last.
  text_place posto_ultimo() const {
    return posto(campi->last_field(), campi->last_field_end());
  }
  text_place posto_keyword() const {
    return posto(inizio_keyword, fine_keyword);
  }

  /// The field read last is a keyword field (after the minus-sign rule).
  void segna_keyword() {
    inizio_keyword = campi->last_field();
    fine_keyword = campi->last_field_end();
    record = nullptr;
    valore = -1;
  }
  /// A record of kind `k` begins at the keyword field marked last.
  void inizia_record(text_record_kind k);
  /// Value `v` of the current record.
  std::int32_t i32(int v) {
    valore = v;
    return campi->read_i32();
  }
  std::int16_t i16(int v) {
    valore = v;
    return campi->read_i16();
  }
  std::uint8_t u8(int v) {
    valore = v;
    return campi->read_u8();
  }
  std::string_view testo(int v) {
    valore = v;
    return campi->read_text();
  }

  /// "the signal at 41500 m": how messages name the current record.
  std::string chi(std::int64_t metri) const;
  /// Notes the current record as the origin of the objects it puts into
  /// the row; -1 when not recovering.
  /// `at`: the record's place, its keyword when not given.
  std::int32_t origine(std::int64_t metri, const text_place* at = nullptr);
  void marca(std::int64_t cella, std::int32_t origine_record) {
    if (sink && origine_record >= 0) sink->mark(cella, origine_record);
  }
  /// The note naming what holds cell `c`: "taken by the signal at ... here".
  std::vector<problem_note> occupante(std::int64_t c) const;
  /// What a taken cell holds, for a message: "a signal".
  std::string contenuto_cella(std::int64_t c) const;

  void errore(std::int32_t code, const text_place& at, std::string message,
              std::vector<problem_note> notes = {}) {
    if (sink) sink->error(code, at, std::move(message), std::move(notes));
  }
  void avvisa(std::string_view name, const text_place& at, std::string message,
              std::vector<problem_note> notes = {}) {
    if (sink) sink->warning(name, at, std::move(message), std::move(notes));
  }
  /// Reports an unexpected failure in the current record (code 25) and
  /// moves on to where the next record can begin.
  void fallimento_record(const char* what);
  /// After a record was read whole: values run onto later lines, values or
  /// a name's rest left over on its line, a name outside ASCII.
  void dopo_record();
  /// The message of a position beyond the row (code 15) for the current
  /// record: "the signal at 90000 m lies beyond the track: ...".
  std::string oltre(std::int32_t p, std::int32_t margine) const;
  /// A name or inscription just read: bytes outside ASCII are reported.
  void nome_letto(std::string_view nome);
  /// After a faulty record was left out: on to the next line.
  void salta_record() {
    if (campi) campi->skip_line();
  }
  /// A keyword field that no record test took. `riconosciuto` says it was
  /// a keyword all the same (a curve row read without a track line).
  void keyword_non_usata(std::string_view k, bool riconosciuto);
  /// A record was recognised at the keyword field read last.
  void record_riconosciuto();

  /// A fault found at the field at `offset` of the open text (with no
  /// place when no text is open).
  [[nodiscard]] guasto guasto_a(std::int32_t code,
                                std::optional<std::int32_t> posizione,
                                std::size_t offset) const {
    guasto g{code, posizione, std::nullopt};
    if (campi) {
      const text_position p = campi->position_of(offset);
      g.punto = punto_lettura{corrente, p.line, p.column};
    }
    return g;
  }
};

/// A position (or a sum of positions) in cells, in floating point, before
/// any rounding.
inline double metri_in_celle(std::int64_t metri) {
  return static_cast<double>(metri) / static_cast<double>(passo_cella);
}

/// x rounded half to even as a cell index; a value beyond 32 bits is an
/// unexpected failure.
std::int32_t indice_cella(double x);

/// The cell of a marker at position p: the one after the cell where p
/// falls.
inline std::int32_t cella_marcatore(std::int64_t p) {
  return indice_cella(metri_in_celle(p) + 1.0);
}

/// "41500 m".
std::string metri(std::int64_t m);

/// Whether cell `c` exists in the row.
inline bool in_riga(const scenario& s, std::int64_t c) {
  return c >= 0 && c < static_cast<std::int64_t>(s.celle.size());
}

/// The stepwise fill of gradients, line speeds and adhesion: from
/// `puntatore` the field `campo` gets `valore()`, one cell at least, then on
/// while the pointer is below `fino`. It never paints at or beyond
/// `numero_celle` (many rows at one position push the pointer one cell
/// each), and asks `valore` once, only when a cell is painted: a value that
/// cannot be converted fails only where it would be stored.
template <typename Valore>
void riempi_a_gradini(scenario& s, std::int32_t& puntatore, std::int32_t fino,
                      std::uint8_t cella::*campo, Valore valore) {
  auto dipingibile = [&s](std::int32_t c) {
    return c < s.numero_celle && in_riga(s, c);
  };
  if (!dipingibile(puntatore)) return;
  const std::uint8_t v = valore();
  do {
    s.celle[static_cast<std::size_t>(puntatore)].*campo = v;
    ++puntatore;
  } while (puntatore < fino && dipingibile(puntatore));
}

/// The range test: (p + margin) / 50 in floating point at most
/// `numero_celle`. A sum beyond 32 bits is an unexpected failure.
bool entro_celle(const scenario& s, std::int32_t p, std::int32_t margine);

/// a + b, a - b as the 32-bit arithmetic of the format: beyond 32 bits is an
/// unexpected failure.
std::int32_t somma_32(std::int64_t a, std::int64_t b);

}  // namespace compattatore

#endif  // READER_LETTURA_H_
