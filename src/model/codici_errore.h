// Data fault codes recorded in `codice_errore`, and the seal guards'
// numbers. The numbers are what a scenario author looks up: never renumber.
// cmake/embed_explanations.cmake takes the codes that may have an
// explanation from the constants' lines: one whole constant per line.
#ifndef MODEL_CODICI_ERRORE_H_
#define MODEL_CODICI_ERRORE_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace compattatore::codice {

inline constexpr std::int32_t nessuno = 0;
inline constexpr std::int32_t lunghezza_eccessiva = 1;
inline constexpr std::int32_t progressiva_non_multipla = 2;
inline constexpr std::int32_t ripetizione_inizio = 3;
inline constexpr std::int32_t ripetizione_fine = 4;
inline constexpr std::int32_t ripetizione_codici = 5;
inline constexpr std::int32_t cartello_occupato = 6;
inline constexpr std::int32_t abbattimento_occupato = 7;
inline constexpr std::int32_t stazione_posizione = 8;
inline constexpr std::int32_t stazione_lunghezza = 9;
inline constexpr std::int32_t troppe_stazioni = 10;
inline constexpr std::int32_t passo_segnale_avviso = 11;
inline constexpr std::int32_t passo_finestra = 12;
inline constexpr std::int32_t passo_interno = 13;
inline constexpr std::int32_t oltre_celle = 15;
inline constexpr std::int32_t segnale_occupato = 16;
inline constexpr std::int32_t avviso_occupato = 17;
inline constexpr std::int32_t inizio_occupato = 18;
inline constexpr std::int32_t fine_occupato = 19;
inline constexpr std::int32_t preavvisi_occupati = 20;
inline constexpr std::int32_t indicatore_occupato = 21;
inline constexpr std::int32_t stazioni_vicine = 22;
inline constexpr std::int32_t stazione_troppo_presto = 24;
inline constexpr std::int32_t lettura_fallita = 25;
inline constexpr std::int32_t testo_linea_mancante = 101;
inline constexpr std::int32_t generale_mancante = 102;
inline constexpr std::int32_t curva_o_geometria = 103;

// Input the original format never tested; each stops reading its text
// like a hard fault, so nothing lands outside the model's arrays.
inline constexpr std::int32_t posizione_negativa = 104;
inline constexpr std::int32_t montagna_oltre_celle = 105;
inline constexpr std::int32_t troppe_montagne = 106;
inline constexpr std::int32_t troppi_cartelli = 107;
inline constexpr std::int32_t segnale_troppo_presto = 108;
inline constexpr std::int32_t rallentamento_fuori_celle = 109;
inline constexpr std::int32_t stazione_oltre_celle = 110;

/// Whether a fault with a code sets `posizione_errore`. A code that records
/// none leaves there whatever an earlier fault put (a position beyond the
/// row followed by the chainage test's code 2, say).
enum class position_rule {
  always,
  never,
  /// The codes for rejected input: a position when they have one (nonzero).
  when_set,
};

/// What a fault stops.
enum class fault_kind {
  hard_route,    // ends reading the route text
  hard_train,    // ends reading the train text
  hard,          // ends reading the text it is found in
  soft,          // ends only the records; the end steps still run
  pass,          // found by the consistency pass, which goes on
  after_train,   // tested once the train text is read
  read_failure,  // both texts deleted
  no_route_text  // nothing read or deleted
};

/// One fault code: what it means in plain words (the tool's message), and
/// for the README also what more it covers, what its position is, and what
/// it stops. The README's fault tables are checked against this table.
struct fault_entry {
  std::int32_t code;
  std::string_view meaning;
  /// Appended to `meaning` in the README; empty or starting with "; " or
  /// " (".
  std::string_view detail;
  position_rule position;
  /// The README's "Position" column.
  std::string_view position_text;
  fault_kind kind;
};

/// Every code but `nessuno`, in increasing order.
std::span<const fault_entry> fault_table();
/// The entry of `code`; null for `nessuno` and unknown codes.
const fault_entry* find_fault(std::int32_t code);
/// The README's "Kind" column for `k`.
std::string_view kind_text(fault_kind k);

/// Plain-words meaning of a code, for people; "no fault" for `nessuno`,
/// empty for an unknown code.
std::string_view significato(std::int32_t code);

// The numbers the program stops with when a seal guard fails (" Errore n.
// 1250"). They are never recorded in `codice_errore`, but an author looks
// them up beside the codes. Never renumber.
inline constexpr std::int32_t guardia_sigillo_1 = 1250;
inline constexpr std::int32_t guardia_sigillo_2 = 1251;

struct seal_guard_entry {
  std::int32_t code;
  std::string_view meaning;
};

/// Both guards, the first one first.
std::span<const seal_guard_entry> seal_guard_table();
/// The entry of `code`; null for any number but the two guards'.
const seal_guard_entry* find_seal_guard(std::int32_t code);

}  // namespace compattatore::codice

#endif  // MODEL_CODICI_ERRORE_H_
