#include "reader/text_records.h"

#include <cassert>

namespace compattatore {
namespace {

using w = value_width;

constexpr text_value lunghezza[] = {{"length", "the route's length in metres"}};
constexpr text_value progressiva[] = {
    {"first value", "a multiple of 50"},
    {"second value", "a multiple of 50"},
    {"third value", "1 adds 100 to the second value"}};
constexpr text_value sfondo[] = {{"value", "background setting"}};
constexpr text_value ripetizione[] = {{"start", "metres, a multiple of 50"},
                                      {"end", "metres, a multiple of 50"}};
constexpr text_value pendenza[] = {{"position", "metres"},
                                   {"gradient", "-100 to 155"}};
constexpr text_value curva[] = {{"start", "metres"}, {"length", "metres"}};
constexpr text_value montagna[] = {
    {"start", "metres"}, {"end", "metres"}, {"tipo", "1, 2, 11 or 12"}};
constexpr text_value indicatore[] = {
    {"position", "metres"},          {"vas", "speed a of side s, km/h"},
    {"vbs", "speed b of side s"},    {"vcs", "speed c of side s"},
    {"strisces", "stripes, side s"}, {"vad", "speed a of side d, km/h"},
    {"vbd", "speed b of side d"},    {"vcd", "speed c of side d"},
    {"strisced", "stripes, side d"}};
constexpr text_value cartello[] = {{"position", "metres"},
                                   {"inscription", "text, no comma", w::text}};
constexpr text_value massa_frenata[] = {{"percentage", "braked mass, %"}};
constexpr text_value vetture[] = {{"count", "number of coaches"}};
constexpr text_value velocita[] = {{"position", "metres"},
                                   {"speed", "km/h, at most 1275"}};
constexpr text_value aderenza[] = {{"position", "metres"},
                                   {"value", "0 to 255"}};
constexpr text_value orologio[] = {
    {"hours", "", w::i16}, {"minutes", "", w::i16}, {"seconds", "", w::i16}};
constexpr text_value sabbia[] = {{"value", "sand", w::i16}};
constexpr text_value segnale[] = {{"position", "metres, at least 350"},
                                  {"sx", "code of side s"},
                                  {"s1", "first digit of side s"},
                                  {"s2", "second digit of side s"},
                                  {"s3", "third digit of side s"},
                                  {"rapp", ""},
                                  {"dx", "code of side d"},
                                  {"d1", "first digit of side d"},
                                  {"d2", "second digit of side d"},
                                  {"d3", "third digit of side d"},
                                  {"tempo", "time: 0, or 101 to 255"}};
constexpr text_value rallentamento[] = {
    {"start", "metres"},
    {"speed", "km/h"},
    {"length", "metres"},
    {"f_tt", ""},
    {"f_ta", "1: four approach marks before the warning"},
    {"d_v", ""}};
constexpr text_value abbattimento[] = {{"position", "metres"},
                                       {"speed", "km/h; 0 or less: none"}};
constexpr text_value stazione[] = {{"position", "metres, a multiple of 50"},
                                   {"kind", "", w::u8},
                                   {"length", "metres, a multiple of 100"},
                                   {"opzione_1", "", w::u8},
                                   {"opzione_5", "", w::u8},
                                   {"opzione_4", "", w::u8},
                                   {"numero_1", "", w::i16},
                                   {"numero_2", "", w::i16},
                                   {"opzione_2", "", w::u8},
                                   {"numero_3", "", w::i16},
                                   {"numero_4", "", w::i16},
                                   {"numero_5", "", w::i16},
                                   {"opzione_3", "", w::u8},
                                   {"hours", "time of day"},
                                   {"minutes", ""},
                                   {"seconds", ""},
                                   {"name", "text, no comma", w::text}};

using k = text_record_kind;
constexpr quale_testo r = quale_testo::linea;
constexpr quale_testo t = quale_testo::treno;

constexpr text_record table[] = {
    {k::lunghezza, r, "lunghezza percorso", "route length", lunghezza},
    {k::progressiva, r, "progressiva chilometrica uno", "chainage",
     progressiva},
    {k::sfondo, r, "sfondo uno", "background", sfondo},
    {k::ripetizione, r, "ripetizione segnali 4 codici", "signal repetition",
     ripetizione},
    {k::pendenza, r, "pendenza", "gradient", pendenza},
    {k::curva, r, "curvad3", "curve", curva},
    {k::montagna, r, "montagna", "montagna stretch", montagna},
    {k::indicatore, r, "indicatori_vmax", "speed board", indicatore},
    {k::cartello, r, "cartello_indicatore", "indication board", cartello},
    {k::massa_frenata, t, "percentuale massa frenata", "braked mass",
     massa_frenata},
    {k::vetture, t, "numero vetture", "coaches", vetture},
    {k::velocita, t, "velocita", "line speed", velocita},
    {k::aderenza, t, "aderenza", "adhesion", aderenza},
    {k::orologio, t, "orologio", "clock", orologio},
    {k::sabbia, t, "sabbia", "sand", sabbia},
    {k::segnale, t, "segnale", "signal", segnale},
    {k::rallentamento, t, "rallentamento", "slowdown", rallentamento},
    {k::abbattimento, t, "abbattimento", "speed cap", abbattimento},
    {k::stazione, t, "stazione", "station", stazione},
};

}  // namespace

std::span<const text_record> text_records() { return table; }

const text_record& text_record_of(text_record_kind kind) {
  for (const text_record& e : table) {
    if (e.kind == kind) return e;
  }
  assert(false && "every kind has its row");
  return table[0];
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
