#include "reader/text_records.h"

#include <cassert>
#include <iterator>

namespace compattatore {
namespace {

using w = value_width;

constexpr std::int32_t i16_max = 32767;
constexpr std::int32_t u8_max = 255;
// A board keeps both sides' speeds in one 16-bit value, the left one times
// 20.
constexpr std::int32_t indicatore_max = i16_max / 20;

constexpr value_range i16_range{i16_max};
constexpr value_range u8_range{u8_max};

// Route text, general section.

constexpr text_value lunghezza[] = {
    {"length", "m", "0 to 1000000",
     "the route's length; the compiled route reaches 7000 m beyond it"},
};
constexpr text_value progressiva[] = {
    {"start", "m", "a multiple of 50", "where the chainage stretch begins"},
    {"end", "m", "a multiple of 50", "where it ends"},
    {"end mark", "", "any whole number",
     "1 moves the end 100 m further; any other value is only stored"},
};
constexpr text_value sfondo[] = {
    {"value", "", "any whole number", "stored for the simulator as it is"},
};
constexpr text_value ripetizione[] = {
    {"start", "m", "a multiple of 50", "where signal repetition begins"},
    {"end", "m", "a multiple of 50; 0 for none",
     "where it ends; 0 switches repetition off"},
};

// Route text, after the general section.

constexpr text_value pendenza[] = {
    {"position", "m", "0 or more, within the route",
     "where the gradient begins; it holds up to the next gradient row"},
    {"gradient", "per mille", "-100 to 155 (others wrap round)",
     "rising (positive) or falling (negative)"},
};
constexpr text_value curva[] = {
    {"start", "m", "0 or more, within the route", "where the curve begins"},
    {"length", "m", "1 or more", "how far it turns"},
};
constexpr text_value montagna[] = {
    {"start", "m", "0 or more, within the route", "where the stretch begins"},
    {"end", "m", "after the start, within the route", "where it ends"},
    {"kind", "", "1 or 2; 11 or 12 for the same with a marker every 200 m",
     "the stretch's code for the simulator"},
};
constexpr text_value indicatore[] = {
    {"position", "m", "0 or more, within the route", "where the board stands"},
    {"speed a, left",
     "km/h",
     "0 to 1638",
     "first speed on side s",
     w::i32,
     {indicatore_max}},
    {"speed b, left",
     "km/h",
     "0 to 1638",
     "second speed on side s",
     w::i32,
     {indicatore_max}},
    {"speed c, left",
     "km/h",
     "0 to 1638",
     "third speed on side s",
     w::i32,
     {indicatore_max}},
    {"stripes, left", "", "0 to 9", "stripe count on side s"},
    {"speed a, right", "km/h", "0 to 1638, or empty", "first speed on side d"},
    {"speed b, right", "km/h", "0 to 1638, or empty", "second speed on side d"},
    {"speed c, right", "km/h", "0 to 1638, or empty", "third speed on side d"},
    {"stripes, right", "", "0 to 9, or empty", "stripe count on side d"},
};
constexpr text_value cartello[] = {
    {"position", "m", "0 or more, within the route",
     "the board stands in the 50 m after it"},
    {"inscription", "", "text without a comma (or in double quotes)",
     "what the board shows", w::text},
};

// Train text.

constexpr text_value massa_frenata[] = {
    {"percentage", "%", "any whole number", "the train's braked mass"},
};
constexpr text_value vetture[] = {
    {"count", "", "any whole number", "the number of coaches"},
};
constexpr text_value velocita[] = {
    {"position", "m", "0 or more, within the route",
     "where the line speed begins; it holds up to the next line speed row"},
    {"speed", "km/h", "0 to 1275, kept in steps of 5 km/h", "the line speed"},
};
constexpr text_value aderenza[] = {
    {"position", "m", "0 or more, within the route",
     "where the adhesion begins; it holds up to the next adhesion row"},
    {"adhesion", "", "0 to 255 (larger values wrap round)",
     "the adhesion value"},
};
constexpr text_value orologio[] = {
    {"hours", "h", "0 to 23", "the clock at the start", w::i16, i16_range},
    {"minutes", "min", "0 to 59", "", w::i16, i16_range},
    {"seconds", "s", "0 to 59", "", w::i16, i16_range},
};
constexpr text_value sabbia[] = {
    {"sand", "", "-32768 to 32767", "stored for the simulator as it is", w::i16,
     i16_range},
};
constexpr text_value segnale[] = {
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
constexpr text_value rallentamento[] = {
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
constexpr text_value abbattimento[] = {
    {"position", "m", "0 or more, within the route",
     "where the cap stands, in the 50 m around it"},
    {"speed", "km/h", "1 or more; 0 or less marks the end of a cap",
     "the speed the train may not exceed"},
};
constexpr text_value stazione[] = {
    {"position", "m", "a multiple of 50, within the route",
     "where the train stops"},
    {"kind", "", "0 to 255; 5 to 8 and 25 or more are special",
     "5, 6: end at 150 m after it; 7, 8: area on both sides; 25 or more: no "
     "mark in the row",
     w::u8, u8_range},
    {"length", "m", "a multiple of 100", "the length of the station area"},
    {"option 1", "", "0 to 255", "stored for the simulator", w::u8, u8_range},
    {"option 5", "", "0 to 255",
     "cleared below 600 m and for the first station", w::u8, u8_range},
    {"option 4", "", "0 to 255",
     "not 0: the area reaches 50 m further (ordinary kinds)", w::u8, u8_range},
    {"number 1", "", "-32768 to 32767", "stored for the simulator", w::i16,
     i16_range},
    {"number 2", "", "-32768 to 32767", "stored for the simulator", w::i16,
     i16_range},
    {"option 2", "", "0 to 255", "stored for the simulator", w::u8, u8_range},
    {"number 3", "", "-32768 to 32767", "stored for the simulator", w::i16,
     i16_range},
    {"number 4", "", "-32768 to 32767", "stored for the simulator", w::i16,
     i16_range},
    {"number 5", "", "-32768 to 32767", "stored for the simulator", w::i16,
     i16_range},
    {"option 3", "", "0 to 255", "stored for the simulator", w::u8, u8_range},
    {"hours", "h", "0 to 23", "the time of the stop"},
    {"minutes", "min", "0 to 59", ""},
    {"seconds", "s", "0 to 59", ""},
    {"name", "", "text without a comma (or in double quotes); ASCII",
     "the station's name as the simulator shows it", w::text},
};

using k = text_record_kind;
using sezione = sezione_testo;
constexpr position_rule in_linea{0, margine_posizione};
constexpr position_rule in_stazione{0, margine_stazione};

constexpr text_record table[] = {
    {.kind = k::lunghezza,
     .section = sezione::generale_linea,
     .title = "Route length",
     .keyword = "lunghezza percorso",
     .name = "route length",
     .recognised_by = "holds \"lunghezza\" and \"percorso\", any case",
     .values = lunghezza,
     .example = "lunghezza percorso,    12000",
     .rules = "Required, and before every record with a position."},
    {.kind = k::progressiva,
     .section = sezione::generale_linea,
     .title = "Chainage",
     .keyword = "progressiva chilometrica uno",
     .name = "chainage",
     .recognised_by = "holds \"progressiva\" and \"uno\", \"due\" or \"tre\", "
                      "exactly in small letters",
     .values = progressiva,
     .example = "progressiva chilometrica uno,    0,    5000,    12",
     .rules = "Three rows, \"uno\", \"due\" and \"tre\"; they are put in "
              "order of their start after the general section, and all "
              "three are cleared to 0 when two share the largest start."},
    {.kind = k::sfondo,
     .section = sezione::generale_linea,
     .title = "Background",
     .keyword = "sfondo uno",
     .name = "background",
     .recognised_by = "holds \"sfondo\" and \"uno\", \"due\" or \"tre\", "
                      "exactly in small letters",
     .values = sfondo,
     .example = "sfondo uno,    44500",
     .rules = "Three rows, \"uno\", \"due\", \"tre\"."},
    {.kind = k::ripetizione,
     .section = sezione::generale_linea,
     .title = "Signal repetition",
     .keyword = "ripetizione segnali 4 codici",
     .name = "signal repetition",
     .recognised_by = "holds \"segnali\" and \"ripetizione\", exactly in "
                      "small letters, and the number of codes, \"4\" or "
                      "\"9\"",
     .values = ripetizione,
     .example = "ripetizione segnali 4 codici,    0,    12000"},
    {.kind = k::pendenza,
     .section = sezione::record_linea,
     .title = "Gradient",
     .keyword = "pendenza",
     .name = "gradient",
     .recognised_by = "holds \"pendenza\", any case",
     .values = pendenza,
     .position = in_linea,
     .example = "pendenza,    2500,    12",
     .rules = "Rows in order of position; before the first row the line is "
              "level."},
    {.kind = k::curva,
     .section = sezione::record_linea,
     .title = "Curve",
     .keyword = "curvad3",
     .name = "curve",
     .recognised_by = "holds \"curva\", any case, then the side (\"s\" turns "
                      "left, anything else right) and the class digit 1 to "
                      "6 (radius 10000, 5000, 2500, 1000, 500, 333 m)",
     .values = curva,
     .position = in_linea,
     .example = "curvad4,  3150,  400",
     .rules = "Rows in order, not overlapping. Read only when the track "
              "line is built."},
    {.kind = k::montagna,
     .section = sezione::record_linea,
     .title = "Mountain stretch",
     .keyword = "montagna",
     .name = "montagna stretch",
     .recognised_by = "holds \"montagna\", any case",
     .values = montagna,
     .position = in_linea,
     .example = "montagna,   800,  2800,  11",
     .rules = "At most 80; one that starts 150 m or less after the previous "
              "one ends gets kind 3."},
    {.kind = k::indicatore,
     .section = sezione::record_linea,
     .title = "Maximum-speed board",
     .keyword = "indicatori_vmax",
     .name = "speed board",
     .recognised_by = "holds \"indicatori_v\", any case",
     .values = indicatore,
     .position = in_linea,
     .example = "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0",
     .rules = "One object per 50 m: a board cannot share its place with "
              "another object."},
    {.kind = k::cartello,
     .section = sezione::record_linea,
     .title = "Indication board",
     .keyword = "cartello_indicatore",
     .name = "indication board",
     .recognised_by = "holds \"cartello\" and \"indicat\", any case",
     .values = cartello,
     .position = in_linea,
     .example =
         "cartello_indicatore,  750,   (GALLERIA  )(ROCCAGRANA)(m.2000    )",
     .rules = "At most 80, and they share the station table with the "
              "stations."},
    {.kind = k::massa_frenata,
     .section = sezione::treno,
     .title = "Braked mass",
     .keyword = "percentuale massa frenata",
     .name = "braked mass",
     .recognised_by = "holds \"frenata\" and \"massa\", any case",
     .values = massa_frenata,
     .example = "percentuale massa frenata,    100"},
    {.kind = k::vetture,
     .section = sezione::treno,
     .title = "Coaches",
     .keyword = "numero vetture",
     .name = "coaches",
     .recognised_by = "holds \"vetture\", any case",
     .values = vetture,
     .example = "numero vetture,    5"},
    {.kind = k::velocita,
     .section = sezione::treno,
     .title = "Line speed",
     .keyword = "velocita",
     .name = "line speed",
     .recognised_by = "holds \"velocit\", any case",
     .values = velocita,
     .position = in_linea,
     .example = "velocita,     800,    80",
     .rules = "Rows in order of position; before the first row the speed is "
              "0."},
    {.kind = k::aderenza,
     .section = sezione::treno,
     .title = "Adhesion",
     .keyword = "aderenza",
     .name = "adhesion",
     .recognised_by = "holds \"aderenza\", any case",
     .values = aderenza,
     .position = in_linea,
     .example = "aderenza,   0,    100",
     .rules = "Rows in order of position."},
    {.kind = k::orologio,
     .section = sezione::treno,
     .title = "Clock",
     .keyword = "orologio",
     .name = "clock",
     .recognised_by = "holds \"orologio\", any case",
     .values = orologio,
     .example = "orologio,    10              51            30",
     .rules = "The three numbers may be separated by blanks alone."},
    {.kind = k::sabbia,
     .section = sezione::treno,
     .title = "Sand",
     .keyword = "sabbia",
     .name = "sand",
     .recognised_by = "holds \"sabbia\", any case",
     .values = sabbia,
     .example = "sabbia,    1"},
    {.kind = k::segnale,
     .section = sezione::treno,
     .title = "Signal",
     .keyword = "segnale",
     .name = "signal",
     .recognised_by = "holds \"segnale\", any case",
     .values = segnale,
     .position = in_linea,
     .example = "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     .rules = "One object per 50 m; the signal also marks the 400 m before "
              "it."},
    {.kind = k::rallentamento,
     .section = sezione::treno,
     .title = "Slowdown",
     .keyword = "rallentamento",
     .name = "slowdown",
     .recognised_by = "holds \"rallentamento\", any case",
     .values = rallentamento,
     .position = in_linea,
     .example = "rallentamento,   6000,   60,   500,   0,   1,   0",
     .rules = "Its warning, start and end (and approach marks) each need a "
              "free place; speed points are added before it."},
    {.kind = k::abbattimento,
     .section = sezione::treno,
     .title = "Speed cap",
     .keyword = "abbattimento",
     .name = "speed cap",
     .recognised_by = "holds \"abbattimento\", any case",
     .values = abbattimento,
     .position = in_linea,
     .example = "abbattimento,   9000,   100",
     .rules = "One object per 50 m."},
    {.kind = k::stazione,
     .section = sezione::treno,
     .title = "Station",
     .keyword = "stazione",
     .name = "station",
     .recognised_by = "holds \"stazione\", any case",
     .values = stazione,
     .position = in_stazione,
     .example = "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  "
                "11, 0, 0, PRAVELLO",
     .rules = "Stations in order of position; each area begins at least "
              "350 m after the previous one ends. At most 79 with the "
              "indication boards."},
};

static_assert(std::size(table) == text_record_kinds);

}  // namespace

std::span<const text_record> text_records() { return table; }

const text_record& text_record_of(text_record_kind kind) {
  const text_record& row = table[static_cast<std::size_t>(kind)];
  assert(row.kind == kind && "the table is in kind order");
  return row;
}

std::string_view allowed_values(value_width width) {
  switch (width) {
    case value_width::i32:
      return "a whole number from -2147483648 to 2147483647";
    case value_width::i16:
      return "a whole number from -32768 to 32767";
    case value_width::u8:
      return "a whole number from 0 to 255";
    case value_width::text:
      return "a text";
  }
  return {};
}

}  // namespace compattatore
