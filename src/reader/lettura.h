// State shared by the route part and the train part of one reading (the open
// text, the record being read and where its fields stand) and the small rules
// both use: cell indices, the range test, 32-bit sums.
#ifndef READER_LETTURA_H_
#define READER_LETTURA_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/guasto.h"
#include "model/scenario.h"
#include "platform/file_system.h"
#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"
#include "reader/text_records.h"

namespace compattatore {

/// A field of the open text, by its bytes: where a finding points.
struct field_span {
  std::size_t begin = 0;
  std::size_t end = 0;
};

/// How reading goes on after a record or a pass of a reader.
enum class [[nodiscard]] esito{
    avanti,       // the next record
    salta,        // recovering: a fault, reported; the record is left out
    fine_record,  // the records end here (a soft fault recorded, or the
                  // text ended), the closing steps still run
    rifiuto,      // a hard fault, recorded; the text is closed and deleted
};

struct lettura {
  lettura(scenario& s_, file_system& fs_, const testi_scenario& testi_)
      : s(s_), fs(fs_), testi(testi_) {}

  scenario& s;
  file_system& fs;
  const testi_scenario& testi;

  /// The `stazioni` entry the next indication board takes; boards fill
  /// downward, and the station reader stops before it.
  std::int32_t posto_cartello = stazione_primo_cartello;
  /// How many rows of each kind were begun, read or not.
  std::array<int, text_record_kinds> righe{};

  /// The text being read, and its fields. The fields view the file
  /// system's own bytes or `contenuto`, a copy owned here, so they stay
  /// valid while the failure clean-up still looks at them after the
  /// reader's own locals are gone.
  quale_testo corrente = quale_testo::nessuno;
  std::string contenuto;
  std::string_view aperto;  // the whole text being read
  std::optional<field_reader> campi;

  /// The record being read: its row (none before the record is
  /// recognised), the value being read (-1 before the first), where its
  /// keyword field and its first value stand. Its faults point at the first
  /// value.
  const text_record* record = nullptr;
  int valore = -1;
  field_span keyword;
  field_span primo;

  /// Starts reading the text at `path` as `which`. Throws file_error when
  /// it cannot be read, with nothing changed.
  void apri(quale_testo which, const std::string& path) {
    std::string letto;
    const std::string_view visto = fs.view(path, limite_testo, letto);
    corrente = which;
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
  /// Closes and deletes the open text.
  void chiudi_e_cancella() {
    chiudi_e_cancella(corrente == quale_testo::treno ? testi.treno
                                                     : testi.linea);
  }

  /// The field read last.
  field_span ultimo() const {
    return {campi->last_field(), campi->last_field_end()};
  }
  /// The field read last is a keyword field (after the minus-sign rule).
  void segna_keyword() {
    keyword = ultimo();
    record = nullptr;
    valore = -1;
  }
  /// A record of kind `k` begins at the keyword field marked last.
  void inizia_record(text_record_kind k) {
    record = &text_record_of(k);
    valore = -1;
    ++righe[static_cast<std::size_t>(k)];
  }
  /// Value `v` of the current record.
  std::int32_t i32(int v) {
    valore = v;
    const std::int32_t x = campi->read_i32();
    dopo_valore(v);
    return x;
  }
  std::int16_t i16(int v) {
    valore = v;
    const std::int16_t x = campi->read_i16();
    dopo_valore(v);
    return x;
  }
  std::uint8_t u8(int v) {
    valore = v;
    const std::uint8_t x = campi->read_u8();
    dopo_valore(v);
    return x;
  }
  std::string_view testo(int v) {
    valore = v;
    const std::string_view x = campi->read_text();
    dopo_valore(v);
    return x;
  }

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

 private:
  void dopo_valore(int v) {
    if (v == 0) primo = ultimo();
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
