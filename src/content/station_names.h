// The names of the scenario's places, shared by the train text, the route's
// junction boards and the timetable sheet so that they cannot drift apart.
#ifndef CONTENT_STATION_NAMES_H_
#define CONTENT_STATION_NAMES_H_

#include <array>
#include <cstddef>
#include <string_view>

namespace compattatore {

/// Rows of the compiled-in train text's station list.
inline constexpr std::size_t numero_stazioni_treno = 21;

/// Index of the junction in `nomi_stazioni`.
inline constexpr std::size_t indice_bivio = 1;

/// Station names in the order of travel. The junction keeps the placeholder
/// the train text carries for it; its place name is `nome_bivio`.
// clang-format off
inline constexpr std::array<std::string_view, numero_stazioni_treno> nomi_stazioni = {
    "ORSELLA CENTRALE",
    "Nome Stazione",
    "PRAVELLO",
    "SAN DORIANO",
    "COLLEMORA",
    "LORBA",
    "VALDIRENA",
    "CAMPOSELVO",
    "MONTE FRASSO",
    "BORGHETTO LIRA",
    "TERME DI SALVENZA",
    "CASALROTTO",
    "PONTE ALBERA",
    "PIAN DEI GRILLI",
    "SAN MARTINO DEL PIANO-TERZO",
    "QUERCIOLA",
    "MACCHIALTA",
    "CASTEL VANTO",
    "RIPAFONDA",
    "BORGO TRESSANO",
    "VANTRONA",
};
// clang-format on

/// The junction's place name: the route's first junction board announces it
/// and the timetable sheet lists the junction under it.
inline constexpr std::string_view nome_bivio = "MORTIGNANO";

/// The origin as the sheet's header box has room for it.
inline constexpr std::string_view nome_breve_origine = "ORSELLA C.LE";

}  // namespace compattatore

#endif  // CONTENT_STATION_NAMES_H_
