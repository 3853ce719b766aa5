// The one scenario model of a run: names, cell row, station table, track
// line, montagna lists, fault fields and the readers' current field.
#ifndef MODEL_SCENARIO_H_
#define MODEL_SCENARIO_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tracciato.h"

namespace compattatore {

/// Length of one cell of the row, in metres.
inline constexpr std::int32_t passo_cella = 50;

/// The metre of the track that cell `c` stands for, about: (c - 1) cells.
inline constexpr std::int64_t metro_della_cella(std::size_t c) {
  return (static_cast<std::int64_t>(c) - 1) * passo_cella;
}

/// Number of entries of the station table (index 0 to 86).
inline constexpr int numero_stazioni = 87;
/// Entries for montagna stretches (index 0 to 80; 1 to 80 used).
inline constexpr int numero_montagne = 81;

// Entries of `stazioni` with a fixed use.
inline constexpr int stazione_progressiva_tre = 81;
inline constexpr int stazione_progressiva_due = 82;
inline constexpr int stazione_progressiva_uno = 83;
inline constexpr int stazione_testata_treno_linea = 84;
inline constexpr int stazione_testata_linea = 85;
inline constexpr int stazione_testata_treno = 86;
/// First (highest) entry taken by indication boards, which fill downward.
inline constexpr int stazione_primo_cartello = 80;

/// Cell kinds (`oggetto`). File format: never renumber.
enum class oggetto_cella : std::uint8_t {
  nulla = 0,
  segnale = 1,
  fine_rallentamento = 2,
  inizio_rallentamento = 3,
  avviso_rallentamento = 4,
  preavviso_rallentamento = 5,
  indicatore_v_max = 6,
  fine_stazione = 10,
  montagna = 11,
  abbattimento = 12,
  abbattimento_senza_velocita = 13,
  cartello_indicatore = 14,
};

struct cella {
  std::uint8_t oggetto = 0;
  std::int16_t valore_1 = 0;
  std::int16_t valore_2 = 0;
  std::int16_t valore_3 = 0;
  std::int16_t valore_4 = 0;
  std::uint8_t tempo_segnale = 0;
  std::uint8_t preavviso = 0;
  std::uint8_t montagna = 0;
  std::uint8_t velocita_linea = 0;
  std::uint8_t pendenza = 0;
  std::uint8_t aderenza = 0;

  bool is(oggetto_cella kind) const {
    return oggetto == static_cast<std::uint8_t>(kind);
  }
  /// A cell is free when it holds nothing or only a montagna marker.
  bool libera() const {
    return is(oggetto_cella::nulla) || is(oggetto_cella::montagna);
  }
  void set(oggetto_cella kind) { oggetto = static_cast<std::uint8_t>(kind); }

  friend bool operator==(const cella&, const cella&) = default;
};

struct stazione {
  std::uint8_t categoria = 0;
  std::int32_t inizio_area = 0;
  std::int32_t fine_area = 0;
  std::int32_t progressiva = 0;
  std::uint8_t opzione_1 = 0;
  std::string nome;
  std::int16_t numero_1 = 0;
  std::int16_t numero_2 = 0;
  std::int16_t numero_3 = 0;
  std::int16_t numero_4 = 0;
  std::int16_t numero_5 = 0;
  std::uint8_t opzione_2 = 0;
  std::uint8_t opzione_3 = 0;
  std::uint8_t opzione_4 = 0;
  std::uint8_t opzione_5 = 0;
  std::int32_t orario = 0;

  friend bool operator==(const stazione&, const stazione&) = default;
};

/// Which scenario text a reader fault points into.
enum class quale_testo : std::uint8_t { nessuno, linea, treno };

/// Where reading stopped when a reader fault was recorded: the text and the
/// 1-based line and column of the field read last. Not part of any compiled
/// file; the author's tool reports it.
struct punto_lettura {
  quale_testo file = quale_testo::nessuno;
  std::int32_t line = 0;
  std::int32_t column = 0;

  friend bool operator==(const punto_lettura&, const punto_lettura&) = default;
};

struct scenario {
  std::string nome_linea;
  std::string numero_treno;

  std::int32_t scrivi_tracciato = 0;
  std::int32_t lunghezza_estesa = 0;
  /// Upper index of `celle`; `celle` has numero_celle + 1 cells once made.
  std::int32_t numero_celle = 0;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  punto_lettura punto_errore;

  std::string riga;

  std::int32_t conta_montagne = 0;
  std::array<std::int32_t, numero_montagne> inizi_montagna{};
  std::array<std::int32_t, numero_montagne> fini_montagna{};

  std::vector<cella> celle;
  std::array<stazione, numero_stazioni> stazioni{};
  disegno_tracciato tracciato;
};

}  // namespace compattatore

#endif  // MODEL_SCENARIO_H_
