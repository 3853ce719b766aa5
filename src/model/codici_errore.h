// Data fault codes recorded in `codice_errore`. The numbers are what a
// scenario author looks up: never renumber.
#ifndef MODEL_CODICI_ERRORE_H_
#define MODEL_CODICI_ERRORE_H_

#include <cstdint>
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

/// Plain-words meaning of a code, for people; empty for an unknown code.
std::string_view significato(std::int32_t code);

}  // namespace compattatore::codice

#endif  // MODEL_CODICI_ERRORE_H_
