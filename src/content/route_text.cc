// The compiled-in route: its 140 lines and their writer.
#include "content/route_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "content/station_names.h"

namespace compattatore {
namespace {

constexpr std::string_view generale[] = {
    "[generale]",
    "lunghezza percorso,    77000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    44500",
    "sfondo due,    1",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0,    77000",
};

constexpr std::string_view curve[] = {
    "[curve]",
    "curvas3,  1000,  500",
    "curvas4,  1650,  450",
    "curvad3,  2750,  300",
    "curvas5,  3150,  250",
    "curvas2,  4250,  50",
    "curvas2,  4600,  250",
    "curvad3,  5250,  350",
    "curvad3,  5950,  800",
    "curvad3,  6850,  200",
    "curvas4,  7050,  250",
    "curvas4,  7400,  700",
    "curvad4,  8350,  500",
    "curvas4,  9150,  150",
    "curvas4,  9550,  150",
    "curvas3,  10250,  500",
    "curvad4,  10850,  100",
    "curvad4,  11050,  350",
    "curvas4,  11650,  300",
    "curvas4,  12650,  250",
    "curvad4,  13050,  700",
    "curvad5,  13900,  250",
    "curvas5,  14150,  600",
    "curvas4,  15600,  600",
    "curvad3,  16600,  700",
    "curvad4,  17400,  350",
    "curvad5,  17900,  750",
    "curvad4,  18850,  350",
    "curvas2,  19400,  300",
    "curvad2,  19850,  600",
    "curvas4,  20650,  400",
    "curvad4,  21700,  250",
    "curvad3,  22150,  450",
    "curvad4,  23200,  150",
    "curvad3,  23550,  300",
    "curvad3,  24200,  550",
    "curvas2,  24750,  700",
    "curvas4,  25850,  200",
    "curvad3,  26050,  600",
    "curvad4,  27950,  500",
    "curvas4,  28450,  350",
    "curvas3,  29550,  550",
    "curvad3,  30200,  400",
    "curvad3,  31100,  400",
    "curvad4,  31700,  150",
    "curvad4,  32150,  300",
    "curvas4,  32800,  650",
    "curvad4,  33650,  700",
    "curvas4,  34700,  650",
    "curvas4,  35600,  750",
    "curvas4,  36850,  550",
    "curvad3,  37500,  200",
    "curvad4,  37900,  100",
    "curvas4,  38150,  450",
    "curvas4,  38750,  250",
    "curvad4,  39350,  200",
    "curvad3,  39700,  600",
    "curvas2,  40750,  450",
    "curvas4,  41550,  400",
    "curvad4,  42450,  150",
    "curvas4,  42750,  500",
    "curvas2,  43700,  300",
    "curvad4,  44300,  600",
    "curvas4,  45100,  200",
    "curvad5,  45600,  700",
    "curvas5,  46550,  350",
    "curvad4,  47300,  550",
    "curvas4,  48800,  150",
    "curvad4,  68850,  400",
    "curvas4,  69700,  200",
    "curvas4,  70150,  650",
    "curvad2,  70800,  250",
    "curvas4,  71050,  200",
    "curvas3,  73500,  550",
    "curvad3,  74150,  250",
};

constexpr std::string_view pendenze[] = {
    "[pendenze]",
    "pendenza,   0,    0",
    "pendenza,  7300,   2",
    "pendenza,  27650,   4",
    "pendenza,  32150,   -4",
    "pendenza,  46800,   0",
};

// A board with count 1 warns 500 m ahead of the board with the same speeds;
// the count 2 board warns ahead of that one.
constexpr std::string_view cartelli[] = {
    "[cartelli]",
    "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  3600,  80,  80,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  4300,  85,  85,  85,  0,  ,  ,  ,  0",
    "indicatori_vmax,  7050,  60,  60,  60,  0,  ,  ,  ,  0",
    "indicatori_vmax,  8100,  80,  80,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  8850,  95,  105,  105,  0,  ,  ,  ,  0",
    "indicatori_vmax,  11200,  80,  80,  80,  1,  ,  ,  ,  0",
    "indicatori_vmax,  11700,  80,  80,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  35700,  85,  85,  85,  0,  ,  ,  ,  0",
    "indicatori_vmax,  38850,  100,  115,  115,  1,  ,  ,  ,  0",
    "indicatori_vmax,  39350,  100,  115,  115,  0,  ,  ,  ,  0",
    "indicatori_vmax,  45300,  100,  110,  115,  0,  ,  ,  ,  0",
    "indicatori_vmax,  49250,  160,  160,  160,  0,  ,  ,  ,  0",
    "indicatori_vmax,  55700,  135,  135,  135,  0,  ,  ,  ,  0",
    "indicatori_vmax,  58900,  160,  160,  160,  0,  ,  ,  ,  0",
    "indicatori_vmax,  75400,  90,  90,  90,  2,  ,  ,  ,  0",
    "indicatori_vmax,  75900,  90,  90,  90,  1,  ,  ,  ,  0",
    "indicatori_vmax,  76400,  90,  90,  90,  0,  ,  ,  ,  0",
};

/// An indication board: a tunnel when it has a length, else a junction.
struct cartello {
  int posizione;
  std::string_view nome;
  int lunghezza;  // metres of tunnel; 0 for a junction
  int montagna;   // kind of the stretch through the tunnel
};

// Every tunnel is a montagna stretch that begins 50 m past its board and is
// as long as the board says, so the two sections are made from one table.
// clang-format off
constexpr cartello cartelli_indicatori[] = {
    {750, "ROCCAGRANA", 2000, 11},
    {1700, nome_bivio, 0, 0},
    {2100, "RIVALTELLA", 0, 0},
    {3350, "PIETRALBA", 250, 12},
    {4450, "CERRETO", 650, 11},
    {13550, "COLLE MANDRIA", 100, 12},
    {14950, "VALLOMBROSELLA", 150, 12},
    {16300, "S. BIAGIO", 200, 12},
    {18950, "TORRICELLA", 50, 12},
    {20050, "MONTORSO", 100, 12},
    {21050, "GRAN SELVATICO", 3300, 11},
    {27500, "POGGIOLUNGO", 900, 11},
    {31350, "BELVEDERE", 550, 12},
    {32100, "RIO FREDDO", 800, 11},
    {39400, "MONTE LUPONE", 700, 11},
};
// clang-format on

constexpr int distanza_montagna = 50;

std::string riga_montagna(const cartello& c) {
  const int inizio = c.posizione + distanza_montagna;
  return "montagna,   " + std::to_string(inizio) + ",  " +
         std::to_string(inizio + c.lunghezza) + ",  " +
         std::to_string(c.montagna);
}

// The groups of one row are padded to the widest text of that row.
std::string riga_cartello(const cartello& c) {
  std::vector<std::string> testi;
  testi.emplace_back(c.lunghezza > 0 ? "GALLERIA" : "BIVIO");
  testi.emplace_back(c.nome);
  if (c.lunghezza > 0) testi.push_back("m." + std::to_string(c.lunghezza));
  std::size_t larghezza = 0;
  for (const std::string& t : testi) larghezza = std::max(larghezza, t.size());
  std::string riga =
      "cartello_indicatore,  " + std::to_string(c.posizione) + ",   ";
  for (const std::string& t : testi) {
    riga += '(' + t + std::string(larghezza - t.size(), ' ') + ')';
  }
  return riga;
}

}  // namespace

righe righe_linea() {
  std::vector<std::string> lines;
  const auto append = [&lines](const auto& section) {
    for (std::string_view line : section) lines.emplace_back(line);
  };
  append(generale);
  append(curve);
  append(pendenze);
  lines.emplace_back("[montagne]");
  for (const cartello& c : cartelli_indicatori) {
    if (c.lunghezza > 0) lines.push_back(riga_montagna(c));
  }
  append(cartelli);
  lines.emplace_back("[indicazioni]");
  for (const cartello& c : cartelli_indicatori) {
    lines.push_back(riga_cartello(c));
  }
  lines.emplace_back("[fine]");
  return fill_righe(lines);
}

void dati_linea(file_system& fs, const file_names& names) {
  scrivi_righe(righe_linea(), fs, names.testo_linea());
}

}  // namespace compattatore
