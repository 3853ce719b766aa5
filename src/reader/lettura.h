// State shared by the route part and the train part of one reading, and the
// small rules both use: cell indices, the range test, fault recording.
#ifndef READER_LETTURA_H_
#define READER_LETTURA_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/guasto.h"
#include "model/scenario.h"
#include "platform/file_system.h"
#include "reader/field_reader.h"
#include "reader/memorizza_dati.h"

namespace compattatore {

/// How many times a keyword field holding "-" is replaced by the next one:
/// in the route text's general section, and everywhere else.
inline constexpr int sostituzioni_generale = 10;
inline constexpr int sostituzioni = 2;

/// Margin of the range test: positions and station positions.
inline constexpr std::int32_t margine_posizione = 100;
inline constexpr std::int32_t margine_stazione = 800;

struct lettura {
  lettura(scenario& s_, file_system& fs_, const testi_scenario& testi_)
      : s(s_), fs(fs_), testi(testi_) {}

  scenario& s;
  file_system& fs;
  const testi_scenario& testi;

  /// The `stazioni` entry the next indication board takes; boards fill
  /// downward, and the station reader stops before it.
  std::int32_t posto_cartello = stazione_primo_cartello;

  /// The text being read, and its fields. The fields view `contenuto`, a
  /// copy owned here, so they stay valid while the failure clean-up still
  /// looks at them after the reader's own locals are gone.
  quale_testo corrente = quale_testo::nessuno;
  std::string contenuto;
  std::optional<field_reader> campi;

  /// Starts reading `text` (taken over, not copied) as `which`.
  void apri(quale_testo which, std::string text) {
    corrente = which;
    campi.reset();
    contenuto = std::move(text);
    campi.emplace(contenuto);
  }
  /// Forgets the open text and deletes it, when this reading deletes texts.
  void chiudi_e_cancella(const std::string& path) {
    campi.reset();
    contenuto.clear();
    corrente = quale_testo::nessuno;
    if (testi.cancella) fs.remove(path);
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
};

/// How reading goes on after a record or a pass of a reader.
enum class [[nodiscard]] esito{
    avanti,       // the next record
    fine_record,  // a soft fault (a position beyond the row), recorded: the
                  // records end here, the closing steps still run
    rifiuto,      // a hard fault, recorded; the text is closed and deleted
};

/// A position (or a sum of positions) in cells, in floating point, before
/// any rounding.
inline double metri_in_celle(std::int64_t metri) {
  return static_cast<double>(metri) / static_cast<double>(passo_cella);
}

/// x rounded half to even as a cell index; a value beyond 32 bits is an
/// unexpected failure.
std::int32_t indice_cella(double x);

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
