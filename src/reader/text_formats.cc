#include "reader/text_formats.h"

#include <array>

namespace compattatore {
namespace {

constexpr std::int32_t i16_max = 32767;
constexpr std::int32_t u8_max = 255;
// A board keeps both sides' speeds in one 16-bit value, the left one times
// 20.
constexpr std::int32_t indicatore_max = i16_max / 20;

// Route text, general section.

constexpr campo_testo lunghezza[] = {
    {"length", "m", "0 to 1000000",
     "the route's length; the compiled route reaches 7000 m beyond it"},
};
constexpr campo_testo progressiva[] = {
    {"start", "m", "a multiple of 50", "where the chainage stretch begins"},
    {"end", "m", "a multiple of 50", "where it ends"},
    {"end mark", "", "any whole number",
     "1 moves the end 100 m further; any other value is only stored"},
};
constexpr campo_testo sfondo[] = {
    {"value", "", "any whole number", "stored for the simulator as it is"},
};
constexpr campo_testo ripetizione[] = {
    {"start", "m", "a multiple of 50", "where signal repetition begins"},
    {"end", "m", "a multiple of 50; 0 for none",
     "where it ends; 0 switches repetition off"},
};

// Route text, after the general section.

constexpr campo_testo pendenza[] = {
    {"position", "m", "0 or more, within the route",
     "where the gradient begins; it holds up to the next gradient row"},
    {"gradient", "per mille", "-100 to 155 (others wrap round)",
     "rising (positive) or falling (negative)"},
};
constexpr campo_testo curva[] = {
    {"start", "m", "0 or more, within the route", "where the curve begins"},
    {"length", "m", "1 or more", "how far it turns"},
};
constexpr campo_testo montagna[] = {
    {"start", "m", "0 or more, within the route", "where the stretch begins"},
    {"end", "m", "after the start, within the route", "where it ends"},
    {"kind", "", "1 or 2; 11 or 12 for the same with a marker every 200 m",
     "the stretch's code for the simulator"},
};
constexpr campo_testo indicatore[] = {
    {"position", "m", "0 or more, within the route", "where the board stands"},
    {"speed a, left", "km/h", "0 to 1638", "first speed on side s",
     indicatore_max},
    {"speed b, left", "km/h", "0 to 1638", "second speed on side s",
     indicatore_max},
    {"speed c, left", "km/h", "0 to 1638", "third speed on side s",
     indicatore_max},
    {"stripes, left", "", "0 to 9", "stripe count on side s"},
    {"speed a, right", "km/h", "0 to 1638, or empty", "first speed on side d"},
    {"speed b, right", "km/h", "0 to 1638, or empty", "second speed on side d"},
    {"speed c, right", "km/h", "0 to 1638, or empty", "third speed on side d"},
    {"stripes, right", "", "0 to 9, or empty", "stripe count on side d"},
};
constexpr campo_testo cartello[] = {
    {"position", "m", "0 or more, within the route",
     "the board stands in the 50 m after it"},
    {"inscription", "", "text without a comma (or in double quotes)",
     "what the board shows"},
};

// Train text.

constexpr campo_testo massa_frenata[] = {
    {"percentage", "%", "any whole number", "the train's braked mass"},
};
constexpr campo_testo vetture[] = {
    {"count", "", "any whole number", "the number of coaches"},
};
constexpr campo_testo velocita[] = {
    {"position", "m", "0 or more, within the route",
     "where the line speed begins; it holds up to the next line speed row"},
    {"speed", "km/h", "0 to 1275, kept in steps of 5 km/h", "the line speed"},
};
constexpr campo_testo aderenza[] = {
    {"position", "m", "0 or more, within the route",
     "where the adhesion begins; it holds up to the next adhesion row"},
    {"adhesion", "", "0 to 255 (larger values wrap round)",
     "the adhesion value"},
};
constexpr campo_testo orologio[] = {
    {"hours", "h", "0 to 23", "the clock at the start", i16_max},
    {"minutes", "min", "0 to 59", "", i16_max},
    {"seconds", "s", "0 to 59", "", i16_max},
};
constexpr campo_testo sabbia[] = {
    {"sand", "", "-32768 to 32767", "stored for the simulator as it is",
     i16_max},
};
constexpr campo_testo segnale[] = {
    {"position", "m", "350 or more, within the route",
     "the signal stands in the 50 m after it"},
    {"left code", "", "0 to 9", "the aspect code of side s (2: timed)"},
    {"left 1", "", "0 to 9", "first digit of side s"},
    {"left 2", "", "0 to 9", "second digit of side s"},
    {"left 3", "", "0 to 9", "third digit of side s"},
    {"ratio", "", "0 to 9", "stored for the simulator"},
    {"right code", "", "0 to 9", "the aspect code of side d"},
    {"right 1", "", "0 to 9", "first digit of side d"},
    {"right 2", "", "0 to 9", "second digit of side d"},
    {"right 3", "", "0 to 9", "third digit of side d"},
    {"time", "s", "0, or 101 to 255 (1 to 100 count as 101)",
     "kept only when the left code is 2"},
};
constexpr campo_testo rallentamento[] = {
    {"start", "m", "0 or more, within the route",
     "where the slowdown begins; its warning stands 1200 m before"},
    {"speed", "km/h", "1 or more",
     "the slowdown's speed; below 110 km/h speed points are added inside"},
    {"length", "m", "1 or more, ending within the route", "how long it is"},
    {"kind", "", "-32768 to 32767", "stored for the simulator"},
    {"approach", "", "0 or 1", "1 adds four approach marks before the warning"},
    {"speed change", "", "-32768 to 32767",
     "stored in the slowdown's marks when not 0"},
};
constexpr campo_testo abbattimento[] = {
    {"position", "m", "0 or more, within the route",
     "where the cap stands, in the 50 m around it"},
    {"speed", "km/h", "1 or more; 0 or less marks the end of a cap",
     "the speed the train may not exceed"},
};
constexpr campo_testo stazione[] = {
    {"position", "m", "a multiple of 50, within the route",
     "where the train stops"},
    {"kind", "", "0 to 255; 5 to 8 and 25 or more are special",
     "5, 6: end at 150 m after it; 7, 8: area on both sides; 25 or more: no "
     "mark in the row",
     u8_max},
    {"length", "m", "a multiple of 100", "the length of the station area"},
    {"option 1", "", "0 to 255", "stored for the simulator", u8_max},
    {"option 5", "", "0 to 255",
     "cleared below 600 m and for the first station", u8_max},
    {"option 4", "", "0 to 255",
     "not 0: the area reaches 50 m further (ordinary kinds)", u8_max},
    {"number 1", "", "-32768 to 32767", "stored for the simulator", i16_max},
    {"number 2", "", "-32768 to 32767", "stored for the simulator", i16_max},
    {"option 2", "", "0 to 255", "stored for the simulator", u8_max},
    {"number 3", "", "-32768 to 32767", "stored for the simulator", i16_max},
    {"number 4", "", "-32768 to 32767", "stored for the simulator", i16_max},
    {"number 5", "", "-32768 to 32767", "stored for the simulator", i16_max},
    {"option 3", "", "0 to 255", "stored for the simulator", u8_max},
    {"hours", "h", "0 to 23", "the time of the stop"},
    {"minutes", "min", "0 to 59", ""},
    {"seconds", "s", "0 to 59", ""},
    {"name", "", "text without a comma (or in double quotes); ASCII",
     "the station's name as the simulator shows it"},
};

constexpr std::array<record_testo, 19> tabella{{
    {sezione_testo::generale_linea, "Route length", "lunghezza percorso",
     "holds \"lunghezza\" and \"percorso\", any case", lunghezza,
     "lunghezza percorso,    12000",
     "Required, and before every record with a position."},
    {sezione_testo::generale_linea, "Chainage", "progressiva chilometrica uno",
     "holds \"progressiva\" and \"uno\", \"due\" or \"tre\", exactly in small "
     "letters",
     progressiva, "progressiva chilometrica uno,    0,    5000,    12",
     "Three rows, \"uno\", \"due\" and \"tre\"; they are put in order of "
     "their start after the general section, and all three are cleared to 0 "
     "when two share the largest start."},
    {sezione_testo::generale_linea, "Background", "sfondo uno",
     "holds \"sfondo\" and \"uno\", \"due\" or \"tre\", exactly in small "
     "letters",
     sfondo, "sfondo uno,    44500", "Three rows, \"uno\", \"due\", \"tre\"."},
    {sezione_testo::generale_linea, "Signal repetition",
     "ripetizione segnali 4 codici",
     "holds \"segnali\" and \"ripetizione\", exactly in small letters, and "
     "the number of codes, \"4\" or \"9\"",
     ripetizione, "ripetizione segnali 4 codici,    0,    12000", ""},
    {sezione_testo::record_linea, "Gradient", "pendenza",
     "holds \"pendenza\", any case", pendenza, "pendenza,    2500,    12",
     "Rows in order of position; before the first row the line is level."},
    {sezione_testo::record_linea, "Curve", "curvad3",
     "holds \"curva\", any case, then the side (\"s\" turns left, anything "
     "else right) and the class digit 1 to 6 (radius 10000, 5000, 2500, "
     "1000, 500, 333 m)",
     curva, "curvad4,  3150,  400",
     "Rows in order, not overlapping. Read only when the track line is "
     "built."},
    {sezione_testo::record_linea, "Mountain stretch", "montagna",
     "holds \"montagna\", any case", montagna, "montagna,   800,  2800,  11",
     "At most 80; one that starts 150 m or less after the previous one ends "
     "gets kind 3."},
    {sezione_testo::record_linea, "Maximum-speed board", "indicatori_vmax",
     "holds \"indicatori_v\", any case", indicatore,
     "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0",
     "One object per 50 m: a board cannot share its place with another "
     "object."},
    {sezione_testo::record_linea, "Indication board", "cartello_indicatore",
     "holds \"cartello\" and \"indicat\", any case", cartello,
     "cartello_indicatore,  750,   (GALLERIA  )(ROCCAGRANA)(m.2000    )",
     "At most 80, and they share the station table with the stations."},
    {sezione_testo::treno, "Braked mass", "percentuale massa frenata",
     "holds \"frenata\" and \"massa\", any case", massa_frenata,
     "percentuale massa frenata,    100", ""},
    {sezione_testo::treno, "Coaches", "numero vetture",
     "holds \"vetture\", any case", vetture, "numero vetture,    5", ""},
    {sezione_testo::treno, "Line speed", "velocita",
     "holds \"velocit\", any case", velocita, "velocita,     800,    80",
     "Rows in order of position; before the first row the speed is 0."},
    {sezione_testo::treno, "Adhesion", "aderenza",
     "holds \"aderenza\", any case", aderenza, "aderenza,   0,    100",
     "Rows in order of position."},
    {sezione_testo::treno, "Clock", "orologio", "holds \"orologio\", any case",
     orologio, "orologio,    10              51            30",
     "The three numbers may be separated by blanks alone."},
    {sezione_testo::treno, "Sand", "sabbia", "holds \"sabbia\", any case",
     sabbia, "sabbia,    1", ""},
    {sezione_testo::treno, "Signal", "segnale", "holds \"segnale\", any case",
     segnale, "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     "One object per 50 m; the signal also marks the 400 m before it."},
    {sezione_testo::treno, "Slowdown", "rallentamento",
     "holds \"rallentamento\", any case", rallentamento,
     "rallentamento,   6000,   60,   500,   0,   1,   0",
     "Its warning, start and end (and approach marks) each need a free "
     "place; speed points are added before it."},
    {sezione_testo::treno, "Speed cap", "abbattimento",
     "holds \"abbattimento\", any case", abbattimento,
     "abbattimento,   9000,   100", "One object per 50 m."},
    {sezione_testo::treno, "Station", "stazione",
     "holds \"stazione\", any case", stazione,
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, 0, "
     "PRAVELLO",
     "Stations in order of position; each area begins at least 350 m after "
     "the previous one ends. At most 79 with the indication boards."},
}};

std::string_view titolo_sezione(sezione_testo s) {
  switch (s) {
    case sezione_testo::generale_linea:
      return "Route text (`NAME_linea.txt`), inside `[generale]`";
    case sezione_testo::record_linea:
      return "Route text, after the general section";
    case sezione_testo::treno:
      return "Train text (`NAME_N-.txt`), after `[generale]`";
  }
  return {};
}

}  // namespace

std::span<const record_testo> formati_testi() { return tabella; }

std::string riferimento_markdown() {
  std::string out;
  std::optional<sezione_testo> sezione;
  for (const record_testo& r : tabella) {
    if (sezione != r.sezione) {
      sezione = r.sezione;
      out += "\n#### ";
      out += titolo_sezione(r.sezione);
      out += "\n";
    }
    out += "\n**";
    out += r.nome;
    out += "**: keyword field ";
    out += r.prova;
    out += ".";
    if (!r.regole.empty()) {
      out += " ";
      out += r.regole;
    }
    out += "\n\n    ";
    out += r.esempio;
    out += "\n\n| Field | Unit | Values | Meaning |\n|---|---|---|---|\n";
    for (const campo_testo& c : r.campi) {
      out += "| ";
      out += c.nome;
      out += " | ";
      out += c.unita;
      out += " | ";
      out += c.ammessi;
      out += " | ";
      out += c.significato;
      out += " |\n";
    }
  }
  return out;
}

}  // namespace compattatore
