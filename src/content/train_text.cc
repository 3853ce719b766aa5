// The compiled-in train: its 86 lines and their writer.
#include "content/train_text.h"

#include <string>
#include <vector>

#include "content/station_names.h"

namespace compattatore {
namespace {

constexpr std::string_view generale[] = {
    "[generale]",
    "numero vetture,    5",
    "percentuale massa frenata,    100",
    "sabbia,    0",
    // Blanks alone part the clock's three numbers; the last blank is kept.
    "orologio,    10              51            30 ",
    "[aderenze]",
    "aderenza,   0,    100",
};

// Every position past the route's end is written as it stands.
constexpr std::string_view vel_limite[] = {
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     800,    80",
    "velocita,    2400,    30",
    "velocita,    3600,    80",
    "velocita,    4300,    85",
    "velocita,    7050,    60",
    "velocita,    8100,    80",
    "velocita,    8850,   105",
    "velocita,   11700,    80",
    "velocita,   35700,    85",
    "velocita,   39350,   115",
    "velocita,   42900,    30",
    "velocita,   45400,   115",
    "velocita,   49250,   160",
    "velocita,   55700,   135",
    "velocita,   55800,    30",
    "velocita,   58900,   160",
    "velocita,   76400,    90",
    "velocita,   77400,    30",
};

// The station rows up to their name; the names come from the list shared
// with the timetable sheet, one name per row in the same order.
constexpr std::string_view stazioni[numero_stazioni_treno] = {
    "stazione,     200,  2,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,  10,52, 0,",
    "stazione,    1900, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0,",
    "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, 0,",
    "stazione,    6400, 12,  600,  0, 1, 0,  1,1,0,  5,6,1,   60,  11, 7, 0,",
    "stazione,    8600,  4,  600,  1, 1, 0,  1,1,1,  2,1,1,    1,  11,12, 0,",
    "stazione,   12300, 22,  300,  0, 0, 0,  0,0,0,  4,0,0,    0,  11,18, 0,",
    "stazione,   15400, 12,  400,  0, 0, 1,  1,1,0,  4,1,0,    1,  11,23, 0,",
    "stazione,   17800, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,   60,  11,27, 0,",
    "stazione,   20800, 22,  500,  0, 0, 0,  1,0,0,  4,0,0,    0,  11,32, 0,",
    "stazione,   25600,  4,  600,  1, 1, 0,  1,1,0,  2,1,1,    1,  11,38, 0,",
    "stazione,   29900, 12,  300,  0, 0, 1,  1,1,0,  5,1,0,   60,  11,44, 0,",
    "stazione,   34500, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,   60,  11,50, 0,",
    "stazione,   39100, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0,",
    "stazione,   40700, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0,",
    "stazione,   44600,  2,  700,  1, 1, 0,  4,1,1,  2,1,1,    1,  12, 3, 0,",
    "stazione,   49800, 12,  500,  0, 0, 0,  1,1,0,  5,1,0,   60,  12, 9, 0,",
    "stazione,   54300, 22,  400,  0, 0, 1,  1,0,0,  4,0,0,    0,  12,14, 0,",
    "stazione,   60500,  4,  800,  1, 1, 0,  1,1,0,  2,1,1,    1,  12,19, 0,",
    "stazione,   66000, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0,",
    "stazione,   71800, 12,  600,  0, 1, 0,  1,1,0,  5,1,0,   60,  12,29, 0,",
    "stazione,   78600,  2,  800,  1, 1, 0,  1,1,0,  2,1,1,    0,  12,30, 0,",
};

constexpr std::string_view segnali[] = {
    "[rallentamenti]",
    "[segnali]",
    "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,    2450,   1, 2, 3,  0, 0,    1,  2,1,0, 0",
    "segnale,    3950,   1, 3, 4,  0, 0,    1,  2,0,0, 0",
    "segnale,    5500,   2, 2, 3,  1, 0,    2,  3,1,0, 0",
    "segnale,    7400,   2, 2, 4,  1, 1,    2,  3,1,1, 0",
    "segnale,    8000,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,    9500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   11450,   2, 2, 3,  0, 0,    2,  2,1,0, 0",
    "segnale,   13000,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,   14600,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   16200,   2, 3, 3,  1, 0,    2,  3,0,1, 0",
    "segnale,   19400,   1, 2, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,   21600,   1, 4, 4,  1, 0,    1,  3,1,0, 0",
    "segnale,   22200,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   24800,   2, 2, 3,  0, 0,    2,  2,1,1, 0",
    "segnale,   28900,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,   30800,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   33600,   2, 3, 4,  1, 0,    2,  3,1,0, 0",
    "segnale,   36500,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   41500,   1, 4, 3,  0, 0,    1,  2,0,0, 0",
    "segnale,   43700,   2, 2, 3,  1, 0,    2,  2,1,1, 0",
    "segnale,   45800,   1, 3, 4,  0, 0,    1,  3,1,0, 0",
    "segnale,   48900,   1, 2, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,   50800,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   53400,   2, 3, 3,  0, 0,    2,  3,1,1, 0",
    "segnale,   55300,   1, 4, 4,  1, 0,    1,  2,1,0, 0",
    "segnale,   60000,   2, 4, 1,  0, 0,    2,  3,1,0, 0",
    "segnale,   61500,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
    "segnale,   64000,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   70800,   2, 2, 3,  1, 0,    2,  2,1,0, 0",
    "segnale,   72700,   1, 3, 4,  0, 0,    1,  3,1,1, 0",
    "segnale,   74800,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   77400,   2, 2, 3,  1, 0,    2,  2,1,1, 0",
    "[codici]",
    "[fine]",
};

}  // namespace

righe righe_treno() {
  std::vector<std::string> lines;
  for (std::string_view line : generale) lines.emplace_back(line);
  for (std::string_view line : vel_limite) lines.emplace_back(line);
  lines.emplace_back("[stazioni]");
  for (std::size_t i = 0; i < numero_stazioni_treno; ++i) {
    lines.push_back(std::string(stazioni[i]) + ' ' +
                    std::string(nomi_stazioni[i]));
  }
  for (std::string_view line : segnali) lines.emplace_back(line);
  return fill_righe(lines);
}

void dati_treno(file_system& fs, const file_names& names) {
  scrivi_righe(righe_treno(), fs, names.testo_treno());
}

}  // namespace compattatore
