// The slowdown order form, written blank for the driver to fill in.
#include <string>
#include <vector>

#include "documents/documents.h"

namespace compattatore {
namespace {

constexpr std::string_view testata[] = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________"
    "________",
    "  Linea  xxxxxx xxxxxxx",
    "",
    "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti "
    "rallentamenti",
    "  _______________________________________________________________________"
    "________",
    " |   |                            |Inizio dopo |          |         |    "
    "        |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Pres"
    "crizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | spe"
    "cifiche |",
};

constexpr std::string_view bordo =
    " |___|____________________________|____________|__________|_________|____"
    "________|";
constexpr std::string_view riga_vuota =
    " |   |                            |            |          |         |    "
    "        |";
constexpr int righe_vuote = 26;

// C comes last because its text runs on to a second line.
constexpr std::string_view prescrizioni[] = {
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamneto N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
};

}  // namespace

righe righe_rallentamenti() {
  std::vector<std::string> lines;
  for (std::string_view line : testata) lines.emplace_back(line);
  lines.emplace_back(bordo);
  for (int i = 0; i < righe_vuote; ++i) lines.emplace_back(riga_vuota);
  lines.emplace_back(bordo);
  for (std::string_view line : prescrizioni) lines.emplace_back(line);
  return fill_righe(lines);
}

}  // namespace compattatore
