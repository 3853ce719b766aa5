// The two texts as decompile recovers them from compiled files: every row
// with its values, in the order the texts will hold them, and what the
// author is told about each section. Written out by `text_emission`.
#ifndef TOOL_DECOMPILE_RECOVERED_TEXTS_H_
#define TOOL_DECOMPILE_RECOVERED_TEXTS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace compattatore::tool {

/// A row of a stepwise value (gradient, line speed, adhesion): from the
/// position on, the value as the text writes it.
struct riga_gradino {
  std::int32_t posizione = 0;
  std::int32_t valore = 0;
  friend bool operator==(const riga_gradino&, const riga_gradino&) = default;
};

/// A curve row: turning from metre inizio + 1 to inizio + lunghezza.
struct riga_curva {
  bool sinistra = false;
  int classe = 1;  // 1 to 6
  std::int32_t inizio = 0;
  std::int32_t lunghezza = 0;
};

struct riga_montagna {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;
};

struct riga_indicatore {
  std::int32_t posizione = 0;
  std::array<std::int32_t, 3> sinistra{};  // speeds a, b, c of side s
  std::int32_t strisce_sinistra = 0;
  std::array<std::int32_t, 3> destra{};
  std::int32_t strisce_destra = 0;
};

struct riga_cartello {
  std::int32_t posizione = 0;
  std::string scritta;
};

/// The route text. A value left empty has no row.
struct testo_linea_recuperato {
  std::optional<std::int32_t> lunghezza;
  /// The chainage rows in the order written: keyword word ("uno", "due",
  /// "tre") and the three values.
  struct progressiva {
    std::string quale;
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t terzo = 0;
  };
  std::vector<progressiva> progressive;
  std::array<std::int32_t, 3> sfondo{};  // uno, due, tre
  struct ripetizione {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    /// The number in the keyword: 4, 9, or 0 for a keyword without one.
    int codici = 4;
  };
  std::vector<ripetizione> ripetizioni;
  /// The length row comes after every other general row (its fault stops
  /// the reading there).
  bool lunghezza_per_ultima = false;

  std::vector<riga_gradino> pendenze;
  std::vector<riga_curva> curve;
  std::vector<riga_montagna> montagne;
  std::vector<riga_indicatore> indicatori;
  std::vector<riga_cartello> cartelli;
  /// The records end with a row that stops the reading, as a fault did in
  /// the texts the files came from.
  bool fine_con_guasto = false;

  /// One line for the author above each section, by section heading.
  std::vector<std::pair<std::string, std::string>> note;
};

struct riga_stazione {
  std::int32_t posizione = 0;
  std::int32_t categoria = 0;
  std::int32_t lunghezza = 0;
  std::int32_t opzione_1 = 0;
  std::int32_t opzione_5 = 0;
  std::int32_t opzione_4 = 0;
  std::int32_t numero_1 = 0;
  std::int32_t numero_2 = 0;
  std::int32_t opzione_2 = 0;
  std::int32_t numero_3 = 0;
  std::int32_t numero_4 = 0;
  std::int32_t numero_5 = 0;
  std::int32_t opzione_3 = 0;
  std::int32_t ore = 0;
  std::int32_t minuti = 0;
  std::int32_t secondi = 0;
  std::string nome;
  /// The row's reading ends with a fault (the files hold what a faulty
  /// row stored): it is the text's last record.
  bool parziale = false;
  /// Only the first this many values were stored, the next could not be
  /// read: the text ends after them. Zero: the whole row.
  int valori_letti = 0;
};

struct riga_segnale {
  /// A signal whose cell a station's end marker took later: the station
  /// (its index among the stations) must be read after it.
  std::optional<std::size_t> sotto_stazione;
  std::int32_t posizione = 0;
  std::array<std::int32_t, 4> sinistra{};  // code, digits 1 to 3 of side s
  std::int32_t rapporto = 0;
  std::array<std::int32_t, 4> destra{};
  std::int32_t tempo = 0;
};

struct riga_rallentamento {
  std::int32_t inizio = 0;
  std::int32_t velocita = 0;
  std::int32_t lunghezza = 0;
  std::int32_t tipo = 0;
  std::int32_t preavviso = 0;
  std::int32_t variazione = 0;
};

struct riga_abbattimento {
  std::int32_t posizione = 0;
  std::int32_t velocita = 0;
};

/// The train text's records after its general section, one of each kind
/// in the order written (the order they are read in matters where one
/// record's marks fall on another's).
struct record_treno {
  enum class tipo { stazione, rallentamento, segnale, abbattimento };
  tipo kind = tipo::stazione;
  std::size_t indice = 0;  // into the list of its kind
};

struct testo_treno_recuperato {
  std::int32_t vetture = 0;
  std::int32_t massa_frenata = 0;
  std::int32_t sabbia = 0;
  std::array<std::int32_t, 3> orologio{};
  std::vector<riga_gradino> aderenze;
  std::vector<riga_gradino> velocita;
  std::vector<riga_stazione> stazioni;
  std::vector<riga_rallentamento> rallentamenti;
  std::vector<riga_segnale> segnali;
  std::vector<riga_abbattimento> abbattimenti;
  /// Every record of the four lists above, in reading order.
  std::vector<record_treno> ordine;
  /// The route text stops before the train text is read: nothing of it
  /// reaches the compiled files.
  bool non_letto = false;

  std::vector<std::pair<std::string, std::string>> note;
};

struct testi_recuperati {
  std::string nome_linea;
  std::string numero_treno;
  testo_linea_recuperato linea;
  testo_treno_recuperato treno;
  /// Said to the author on standard error: what could not be recovered.
  std::vector<std::string> avvisi;
};

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_RECOVERED_TEXTS_H_
