// The timetable sheet of the compiled-in train: header boxes and the table
// of stations, junctions and line-side points in the order of travel.
#include <cassert>
#include <string>
#include <vector>

#include "content/station_names.h"
#include "documents/documents.h"

namespace compattatore {
namespace {

/// The sheet lists the junction under its place name.
constexpr std::string_view localita(std::size_t stazione) {
  return stazione == indice_bivio ? nome_bivio : nomi_stazioni[stazione];
}

/// One table row. Speed 0 leaves the three speed cells blank; the No Rs cell
/// repeats the speed limit.
struct riga_orario {
  int vel_lim;
  int vel_marc;
  std::string_view km;
  std::string_view nome;
  std::string_view orario;  // the whole 16-character cell, or empty
};

constexpr std::string_view uscita = "Deviatoio di Uscita";
constexpr std::string_view ingresso = "Deviatoio d'Ingresso";
constexpr std::string_view cartello = "Cartello Indicatore";

// Orario forms: "          hh.mm " departure, " hh.mm    hh.mm " stop,
// " hh.mm          " arrival, "      hh.mm     " or "     hh.mm+     "
// passing; a "+" may follow any time.
constexpr riga_orario tabella[] = {
    {30, 30, "0+000", localita(0), "          10.52 "},
    {80, 70, "0+800", uscita, ""},
    {0, 0, "1+900", localita(1), "      10.55     "},
    {0, 0, "3+100", localita(2), " 10.57    11.00 "},
    {80, 70, "3+600", uscita, ""},
    {0, 0, "6+400", localita(3), " 11.06    11.07 "},
    {85, 80, "6+800", uscita, ""},
    {60, 60, "7+050", cartello, ""},
    {80, 70, "8+100", cartello, ""},
    {105, 90, "8+600", localita(4), " 11.11    11.12 "},
    {80, 75, "11+700", cartello, ""},
    {0, 0, "12+300", localita(5), " 11.17    11.18 "},
    {0, 0, "15+400", localita(6), " 11.22    11.23 "},
    {0, 0, "17+800", localita(7), "      11.27     "},
    {0, 0, "20+800", localita(8), " 11.31    11.32 "},
    {0, 0, "25+600", localita(9), " 11.37    11.38 "},
    {0, 0, "29+900", localita(10), " 11.43    11.44 "},
    {0, 0, "34+500", localita(11), " 11.49    11.50 "},
    {85, 80, "35+700", cartello, ""},
    {115, 100, "39+100", localita(12), "     11.54+     "},
    {0, 0, "40+700", localita(13), "     11.56+     "},
    {80, 70, "43+900", ingresso, ""},
    {0, 0, "44+600", localita(14), " 12.02+   12.03+"},
    {115, 100, "45+300", uscita, ""},
    {0, 0, "49+800", localita(15), " 12.08    12.09 "},
    {0, 0, "54+300", localita(16), " 12.13    12.14 "},
    {160, 140, "58+900", cartello, ""},
    {0, 0, "60+500", localita(17), " 12.18+   12.19+"},
    {0, 0, "66+000", localita(18), "     12.24      "},
    {90, 80, "71+300", ingresso, ""},
    {0, 0, "71+800", localita(19), " 12.28    12.29 "},
    {30, 30, "78+400", ingresso, ""},
    {0, 0, "79+000", localita(20), " 12.41          "},
};

constexpr std::size_t larghezza_nome = 28;
constexpr std::size_t larghezza_orario = 16;
constexpr std::size_t larghezza_origine = 22;

std::string a_destra(std::string_view testo, std::size_t larghezza) {
  assert(testo.size() <= larghezza && "text wider than its cell");
  return std::string(larghezza - testo.size(), ' ') + std::string(testo);
}

std::string a_sinistra(std::string_view testo, std::size_t larghezza) {
  assert(testo.size() <= larghezza && "text wider than its cell");
  return std::string(testo) + std::string(larghezza - testo.size(), ' ');
}

std::string velocita(int v) {
  return v == 0 ? std::string(5, ' ') : a_destra(std::to_string(v), 4) + ' ';
}

std::string riga_tabella(const riga_orario& r) {
  return " |" + velocita(r.vel_lim) + '|' + velocita(r.vel_marc) + '|' +
         a_destra(r.km, 9) + " |" + velocita(r.vel_lim) + '|' +
         a_sinistra(r.nome, larghezza_nome) + '|' +
         a_sinistra(r.orario, larghezza_orario) + "|     |";
}

constexpr std::string_view bordo_tabella =
    " |_____|_____|__________|_____|____________________________|_____________"
    "___|_____|";

}  // namespace

righe righe_scheda() {
  std::vector<std::string> lines = {"", ""};
  lines.push_back("  " + std::string(19, '_') + std::string(47, ' ') +
                  std::string(14, '_'));
  lines.emplace_back(
      " |                   |                    SCHEDA 1/1               "
      "|              |");
  lines.push_back(" |   TRENO n.4273    |                   da: " +
                  a_sinistra(nome_breve_origine, larghezza_origine) +
                  "|    V200 B    |");
  lines.push_back(" |___________________|                    a: " +
                  a_sinistra(nomi_stazioni.back(), larghezza_origine) +
                  "|     125%     |");
  lines.push_back(std::string(67, ' ') + '|' + std::string(14, '_') + '|');
  lines.push_back("  " + std::string(19, '_') + std::string(16, ' ') +
                  std::string(19, '_'));
  // The trailing blanks belong to the line.
  lines.emplace_back(
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  lines.emplace_back(
      " |        REG        |              |      330T         |");
  lines.emplace_back(
      " |___________________|              |___________________|");
  lines.emplace_back("");
  lines.push_back("  " + std::string(80, '_'));
  lines.emplace_back(
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     "
      "Orario     | Rec |");
  lines.emplace_back(
      " | Lim.|Marc.|          |  Rs |                            |     "
      "           |     |");
  lines.emplace_back(bordo_tabella);
  for (const riga_orario& r : tabella) lines.push_back(riga_tabella(r));
  lines.emplace_back(bordo_tabella);
  lines.emplace_back("");
  return fill_righe(lines);
}

}  // namespace compattatore
