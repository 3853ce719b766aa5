#include "tool/diagnostics/explanations.h"

#include <array>
#include <cctype>
#include <charconv>

#include "reader/text_reference.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {
namespace {

// Places along the route are 50 m stretches: an object at position P stands
// in the stretch from about P to P + 50 m, and each stretch holds one
// object. The texts below say so in those words, never in the model's.
constexpr std::array<explanation, 47> table{{
    {"1", "route length above 1000000 m",
     "The route length (\"lunghezza percorso\") may be at most 1000000 m.",
     "The compiled files hold the route metre by metre and in 50 m "
     "stretches up to 7000 m past its end; the simulator's files are made "
     "for routes of up to 1000 km.",
     "lunghezza percorso,    1200000", "lunghezza percorso,    1000000"},
    {"2", "a chainage value is not a multiple of 50",
     "The first two values of each \"progressiva chilometrica\" row (the "
     "stretch's start and end) must be multiples of 50 m.",
     "The simulator finds the chainage by 50 m stretches: a start or end "
     "between two of them belongs to neither. The test runs after the train "
     "text is read, so every other fault is found first.",
     "progressiva chilometrica uno,    0,    5020,    12",
     "progressiva chilometrica uno,    0,    5000,    12"},
    {"3", "signal repetition start is not a multiple of 50",
     "The start of \"ripetizione segnali\" must be a multiple of 50 m.",
     "Signal repetition is switched on and off at the 50 m stretches the "
     "simulator works in.",
     "ripetizione segnali 4 codici,    120,    12000",
     "ripetizione segnali 4 codici,    100,    12000"},
    {"4", "signal repetition end is not a multiple of 50",
     "The end of \"ripetizione segnali\" must be a multiple of 50 m (0 "
     "switches repetition off).",
     "As for its start: the simulator works in 50 m stretches.",
     "ripetizione segnali 4 codici,    0,    12010",
     "ripetizione segnali 4 codici,    0,    12000"},
    {"5", "signal repetition keyword holds neither \"4\" nor \"9\"",
     "The keyword of the signal repetition row must say how many codes it "
     "uses: the digit 4 or 9.",
     "The simulator repeats signals with 4 or with 9 codes; without the "
     "digit it cannot tell which.",
     "ripetizione segnali codici,    0,    12000",
     "ripetizione segnali 9 codici,    0,    12000"},
    {"6", "indication board place already taken",
     "An indication board stands in the 50 m after its position, and that "
     "place must not hold another object (signal, board, station end, "
     "slowdown mark or speed cap).",
     "Each 50 m stretch of the route holds one object for the simulator; a "
     "second one would replace the first.",
     "cartello_indicatore,  750,   (GALLERIA)(ROCCAGRANA)\n"
     "cartello_indicatore,  760,   (BIVIO)(MORTIGNANO)",
     "cartello_indicatore,  750,   (GALLERIA)(ROCCAGRANA)\n"
     "cartello_indicatore,  800,   (BIVIO)(MORTIGNANO)"},
    {"7", "speed cap place already taken",
     "A speed cap (\"abbattimento\") stands in the 50 m around its position, "
     "which must not hold another object.",
     "Each 50 m stretch holds one object for the simulator.",
     "segnale,    4350,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   4400,   100",
     "segnale,    4350,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   4500,   100"},
    {"8", "station position is not a multiple of 50",
     "A station's position (its first value) must be a multiple of 50 m.",
     "The simulator stops the train at 50 m stretches; its area and its "
     "approach marks are counted from there.",
     "stazione,    3125, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO"},
    {"9", "station length is not a multiple of 100",
     "A station's length (its third value) must be a multiple of 100 m.",
     "The station area reaches half the length on either side of the "
     "station, and both ends must fall on 50 m stretches.",
     "stazione,    3100, 12,  450,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO"},
    {"10", "too many stations",
     "Stations and indication boards share 80 places in the station file: "
     "stations fill it from the first place on, boards from the last one "
     "back. Together they may take at most 79.",
     "The simulator loads one station file of fixed size; a station past "
     "the boards would overwrite one.",
     "(route text with 15 boards, train text with 64 stations)",
     "(fewer stations or fewer indication boards: at most 79 together)"},
    {"11", "no room for a speed point before a signal near a slowdown",
     "Before every signal that stands within 1000 m before a slowdown's "
     "warning, the compactor places a speed point of 180 km/h in one of the "
     "two 50 m stretches just before the signal; one of them must be free "
     "(or already hold a speed cap).",
     "The simulator needs the point to bring the train's speed down to the "
     "signal's aspect ahead of the slowdown.",
     "indicatori_vmax,  4350,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "cartello_indicatore,  4300,   (GALLERIA)(CERRETO)\n"
     "segnale,    4400,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0",
     "indicatori_vmax,  4350,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "cartello_indicatore,  4200,   (GALLERIA)(CERRETO)\n"
     "segnale,    4400,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0"},
    {"12", "no room for a speed point before a slowdown",
     "Before every slowdown the compactor places three speed points of 180 "
     "km/h: about 250 to 350 m, 550 to 650 m and 900 to 1000 m before its "
     "start. Each of these three stretches needs one free 50 m place.",
     "The simulator uses the points to slow the train down in steps before "
     "the slowdown.",
     "indicatori_vmax,  5750,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "segnale,    5700,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   5700,   100\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0",
     "indicatori_vmax,  5750,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "segnale,    5700,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   5500,   100\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0"},
    {"13", "no room for a speed point inside or after a slowdown",
     "Inside a slowdown below 110 km/h the compactor places a speed point "
     "every 400 m, each in a free place within 50 m of where it is due; and "
     "before the first signal within 600 m after the slowdown's end, one in "
     "the two 50 m places before that signal.",
     "The points hold the train at the slowdown's speed while it runs "
     "through it, and release it at the next signal.",
     "rallentamento,   6000,   60,   1000,   0,   0,   0\n"
     "segnale,    6350,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "segnale,    6450,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   6450,   100",
     "rallentamento,   6000,   60,   1000,   0,   0,   0\n"
     "segnale,    6350,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "segnale,    6600,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "abbattimento,   6450,   100"},
    {"15", "position past the end of the route",
     "A record's position may lie at most 6900 m past the route's length (a "
     "station's at most 6200 m). The first record past that ends the "
     "reading of its text's records: the records after it are not read.",
     "The compiled route reaches 7000 m past its length, and an object must "
     "fit in it with the marks it sets after its position.",
     "lunghezza percorso,    12000\n"
     "segnale,    19000,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     "lunghezza percorso,    12000\n"
     "segnale,    11000,   1, 3, 4,  0, 0,    1,  2,1,0, 0"},
    {"16", "signal place already taken",
     "A signal stands in the 50 m after its position, which must not hold "
     "another object. Two signals less than 50 m apart fall in one place.",
     "Each 50 m stretch holds one object for the simulator.",
     "segnale,   41500,   1, 4, 3,  0, 0,    1,  2,1,0, 0\n"
     "segnale,   41520,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     "segnale,   41500,   1, 4, 3,  0, 0,    1,  2,1,0, 0\n"
     "segnale,   42500,   1, 3, 4,  0, 0,    1,  2,1,0, 0"},
    {"17", "slowdown warning place already taken",
     "A slowdown's warning stands 1200 m before its start (slowdowns that "
     "start after 1500 m), in a place that must not hold another object.",
     "The simulator shows the warning board there.",
     "segnale,    4800,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0",
     "segnale,    4700,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0"},
    {"18", "slowdown start place already taken",
     "A slowdown's start stands in the 50 m after its position, which must "
     "not hold another object.",
     "Each 50 m stretch holds one object for the simulator.",
     "segnale,    6000,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0",
     "segnale,    5800,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0"},
    {"19", "slowdown end place already taken",
     "A slowdown's end stands in the 50 m after its start plus its length, "
     "which must not hold another object.",
     "Each 50 m stretch holds one object for the simulator.",
     "segnale,    6500,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0",
     "segnale,    6600,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   0,   0"},
    {"20", "slowdown approach places already taken",
     "A slowdown with approach marks (its fifth value 1) marks the four 50 m "
     "places just before its warning, 1200 m to 1400 m before its start; "
     "all four must be free.",
     "The simulator counts the driver down to the warning with them.",
     "segnale,    4700,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   1,   0",
     "segnale,    4500,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "rallentamento,   6000,   60,   500,   0,   1,   0"},
    {"21", "maximum-speed board place already taken",
     "A maximum-speed board (\"indicatori_vmax\") stands in the 50 m after "
     "its position, which must not hold another object.",
     "Each 50 m stretch holds one object for the simulator.",
     "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "indicatori_vmax,  810,  90,  90,  90,  0,  ,  ,  ,  0",
     "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0\n"
     "indicatori_vmax,  900,  90,  90,  90,  0,  ,  ,  ,  0"},
    {"22", "stations too close together",
     "Each station's area must begin at least 350 m after the previous "
     "station's area ends. An ordinary station's area reaches half its "
     "length on either side of its position.",
     "The simulator needs room between two stations for the approach marks "
     "of the second.",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO\n"
     "stazione,    3500, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 4, "
     "0, PRAVELLO NORD",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO\n"
     "stazione,    3900, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 4, "
     "0, PRAVELLO NORD"},
    {"24", "station area ends too near the route's start",
     "A station's area must end more than 100 m after the route's start.",
     "The station's end mark stands in the 50 m before its area's end, and "
     "the route's first 50 m are kept for the scenario's seal.",
     "stazione,       0,  2,  200,  1, 0, 0,  4,1,0,  2,1,1,    1,  10,52, "
     "0, ORSELLA CENTRALE",
     "stazione,     200,  2,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,  10,52, "
     "0, ORSELLA CENTRALE"},
    {"25", "unreadable value",
     "Where a record expects a number, the field must be a whole number "
     "that fits its value (see the reference of the two texts: 0 to 255 for "
     "the station's kind and options, -32768 to 32767 for its numbers, at "
     "most 1275 km/h for a line speed), and every value must be there "
     "before the text ends. This code also stands for a text that cannot be "
     "read and a route text without its length row.",
     "The compiled files hold each value in a fixed number of bytes; a "
     "value that does not fit would be stored as another one.",
     "velocita,     800,    8O\n"
     "stazione,    3100, 300,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO",
     "velocita,     800,    80\n"
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO"},
    {"101", "route text missing",
     "The route text NAME_linea.txt must be there to be read.",
     "Without the route nothing can be placed: the train's records all "
     "refer to it.",
     "(no NAME_linea.txt beside the train text)",
     "(NAME_linea.txt and NAME_N-.txt side by side)"},
    {"102", "route text without \"[generale]\"",
     "The route text must hold the heading \"[generale]\" (in any case) "
     "before its general records; everything before it is passed over.",
     "The route length and the other general records are recognised only "
     "in that section.",
     "[general]\nlunghezza percorso,    12000",
     "[generale]\nlunghezza percorso,    12000"},
    {"103", "curve without its class digit, or a curve past the route",
     "A curve's keyword must hold a class digit 1 to 6 after \"curva\" and "
     "the side letter (\"curvad4\": right, class 4); classes 1 to 6 are radii "
     "of 10000, 5000, 2500, 1000, 500 and 333 m. A curve must also end "
     "before the route's length plus 7000 m.",
     "The track line turns by the class's rate; without one the reader "
     "cannot tell how sharp the curve is.",
     "curvad,  8350,  500", "curvad4,  8350,  500"},
    {"104", "negative position or length",
     "Positions and the route length are metres from the route's start: 0 "
     "or more.",
     "Nothing can stand before the route's start.", "pendenza,    -50,    3",
     "pendenza,    0,    3"},
    {"105", "mountain stretch ends past the route",
     "A mountain stretch must end within the route's length plus 7000 m.",
     "The compiled route ends there; the stretch would be cut.",
     "lunghezza percorso,    12000\nmontagna,   18000,  19500,  1",
     "lunghezza percorso,    12000\nmontagna,   11000,  11800,  1"},
    {"106", "more than 80 mountain stretches",
     "A route may hold at most 80 mountain stretches.",
     "The model keeps a list of 80; one more would have no place.",
     "(81 montagna rows)",
     "(80 montagna rows, or neighbouring stretches "
     "joined into one)"},
    {"107", "more than 80 indication boards",
     "A route may hold at most 80 indication boards (and fewer when the "
     "train has stations: they share the 80 places).",
     "The boards' inscriptions are kept in the station file, which has 80 "
     "places.",
     "(81 cartello_indicatore rows)", "(at most 80, with the stations)"},
    {"108", "signal before 350 m", "A signal must stand at 350 m or later.",
     "A signal marks the 400 m before it for the simulator's approach "
     "indications; they must fall on the route.",
     "segnale,    300,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     "segnale,    400,   1, 3, 4,  0, 0,    1,  2,1,0, 0"},
    {"109", "slowdown ends past the route",
     "A slowdown must end within the route's length plus 7000 m.",
     "Its end mark must fall on the compiled route.",
     "lunghezza percorso,    12000\n"
     "rallentamento,   18500,   60,   1000,   0,   0,   0",
     "lunghezza percorso,    12000\n"
     "rallentamento,   10500,   60,   1000,   0,   0,   0"},
    {"110", "station ends past the route",
     "A station's area must end within the route's length plus 7000 m.",
     "Its end mark must fall on the compiled route.",
     "lunghezza percorso,    12000\n"
     "stazione,   18200, 12, 2000,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, CAPOLINEA",
     "lunghezza percorso,    12000\n"
     "stazione,   12000, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, CAPOLINEA"},
    {"1250", "the route's first 50 m hold a value",
     "Nothing may put a value into the route's first 50 m: an object placed "
     "before 25 m, or a speed point that a slowdown starting before about "
     "400 m needs there.",
     "The compactor seals the scenario there with a stamp that the "
     "simulator checks; without a free place it cannot seal, and no file is "
     "written.",
     "indicatori_vmax,  0,  80,  80,  80,  0,  ,  ,  ,  0",
     "indicatori_vmax,  100,  80,  80,  80,  0,  ,  ,  ,  0"},
    {"1251", "the route's first 50 m hold a second value",
     "As for 1250, for the second value: an object before 25 m with a "
     "second value (a board's second speed, a slowdown's speed change).",
     "The scenario's check code is stored there for the simulator; without "
     "a free place no file is written.",
     "indicatori_vmax,  0,  0,  80,  80,  0,  ,  ,  ,  0",
     "indicatori_vmax,  100,  0,  80,  80,  0,  ,  ,  ,  0"},
    {"unknown-keyword", "a field where a record should begin is no keyword",
     "Where a record may begin, the reader takes one field and looks for a "
     "keyword in it; a field that holds none is passed over, and so is "
     "every value after it (each is then read as a keyword field in turn). "
     "A typing error in a keyword loses the whole record without a fault.",
     "The format lets headings and notes stand anywhere; the warning finds "
     "the misspelt records among them. Headings in square brackets are not "
     "warned about.",
     "segnal,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0",
     "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0"},
    {"no-general", "train text without \"[generale]\"",
     "The train text is read only after its \"[generale]\" heading; without "
     "it the reader passes over the whole text and the train has no "
     "stations, signals or speeds.",
     "The format does not refuse such a text: the scenario compiles, "
     "empty.",
     "[treno]\nnumero vetture,    5", "[generale]\nnumero vetture,    5"},
    {"after-end", "records after the route text's \"[fine]\"",
     "\"[fine]\" does not end the reading: records after it are read like "
     "any other.",
     "A record left after the end mark was often meant to be taken out.",
     "[fine]\npendenza,    9000,    3", "pendenza,    9000,    3\n[fine]"},
    {"name-comma", "a name or inscription cut by a comma",
     "A comma ends a field, so a station name or board inscription with a "
     "comma keeps only its part before the comma; the rest is read as a "
     "keyword field. Put such a name in double quotes, or leave the comma "
     "out.",
     "The simulator shows the name as it is stored.",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO, BIVIO",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, \"PRAVELLO, BIVIO\""},
    {"non-ascii", "a name holds bytes outside ASCII",
     "Names and inscriptions are stored byte for byte, and the simulator "
     "shows each byte as one Latin-1 character: a name written in UTF-8 "
     "shows \"CITTÀ\" as \"CITTÃ€\". Write the text in Latin-1, or keep names "
     "to ASCII (\"CITTA'\").",
     "The compiled files carry no character set; the simulator reads "
     "Latin-1.",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, CITTÀ (in UTF-8)",
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, CITTA'"},
    {"run-on", "a record's values run onto the following lines",
     "The reader takes a record's values from the fields that follow, "
     "whatever line they stand on. A record whose line holds too few values "
     "takes the next line's fields, often the next record's keyword.",
     "A missing value on one line then spoils two records, or stops the "
     "reading with an unreadable value further on.",
     "segnale,    1400,   1, 3, 4,  0, 0,\n    1,  2,1,0, 0",
     "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0"},
    {"extra-values", "values left over after a record",
     "A record reads exactly its own values; what follows on its line is "
     "read as keyword fields and passed over.",
     "An extra value usually means a value is in the wrong place or a "
     "record has fewer values than its author thought.",
     "velocita,     800,    80,    90", "velocita,     800,    80"},
    {"same-text", "the same file given as both texts",
     "The route text and the train text must be two files.",
     "Read as a train text, a route text gives an empty train.",
     "compatta check r_linea.txt r_linea.txt",
     "compatta check r_linea.txt r_1-.txt"},
    {"empty-train", "a train with no station or no signal",
     "A train text usually names the stations the train stops at and the "
     "signals it meets; one without either compiles, but gives the "
     "simulator nothing to run against.",
     "A heading typed wrong or records left in another file lose them all "
     "without a fault.",
     "[generale]\nnumero vetture,    5\n[fine]",
     "[generale]\nnumero vetture,    5\n"
     "stazione,     200,  2,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,  10,52, "
     "0, ORSELLA CENTRALE\n"
     "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n[fine]"},
    {"signal-time", "a signal's time that is dropped",
     "A signal keeps its time (its last value) only when its left code is 2, "
     "a timed signal; any other signal's time is dropped. A time from 1 to "
     "100 counts as 101.",
     "The simulator times only the signals that say so by their code.",
     "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 120",
     "segnale,    1400,   2, 3, 4,  0, 0,    1,  2,1,0, 120"},
    {"station-overwrite", "a station's end mark replaces another object",
     "A station marks the end of its stop in the 50 m before its area's "
     "end, whatever that place held: a signal, board or slowdown mark there "
     "is lost without a fault.",
     "The simulator needs the station's mark there; the other object must "
     "move.",
     "segnale,    3200,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO",
     "segnale,    3500,   1, 3, 4,  0, 0,    1,  2,1,0, 0\n"
     "stazione,    3100, 12,  400,  0, 0, 0,  1,1,0,  4,1,0,    1,  11, 0, "
     "0, PRAVELLO"},
    {"chainage-cleared", "chainage rows cleared to 0",
     "The three chainage rows are put in order of their start; when two "
     "share the largest start, all three rows are cleared to 0.",
     "The simulator takes the chainage rows in order; two with the same "
     "start cannot be ordered.",
     "progressiva chilometrica uno,    5000,    6000,    0\n"
     "progressiva chilometrica due,    5000,    7000,    0",
     "progressiva chilometrica uno,    5000,    6000,    0\n"
     "progressiva chilometrica due,    7000,    8000,    0"},
}};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

bool is_code(std::string_view key) {
  return !key.empty() && std::isdigit(static_cast<unsigned char>(key[0]));
}

// Paragraphs are kept to a terminal's width.
constexpr std::size_t width = 76;

void wrapped(std::string& out, std::string_view first, std::string_view text) {
  std::size_t column = first.size();
  out += first;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (column > 0 && column + 1 + word.size() > width) {
      out += '\n';
      column = 0;
    } else if (column > 0) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    at = end + 1;
  }
  out += '\n';
}

void indented(std::string& out, std::string_view lines) {
  std::size_t at = 0;
  while (at <= lines.size()) {
    const std::size_t end = std::min(lines.find('\n', at), lines.size());
    out += "    ";
    out += lines.substr(at, end - at);
    out += '\n';
    at = end + 1;
  }
}

void listed(std::ostream& out, const explanation& e) {
  constexpr std::size_t key_width = 16;
  out << "  " << e.key;
  for (std::size_t i = e.key.size(); i < key_width; ++i) out << ' ';
  out << e.title << '\n';
}

}  // namespace

std::span<const explanation> explanations() { return table; }

const explanation* find_explanation(std::string_view key) {
  std::string k = lower(key);
  for (std::string_view prefix : {"-wno-", "-w", "e"}) {
    if (k.starts_with(prefix) && k.size() > prefix.size()) {
      const std::string rest = k.substr(prefix.size());
      if (prefix == "e" && !is_code(rest)) continue;
      k = rest;
      break;
    }
  }
  for (const explanation& e : table) {
    if (e.key == k) return &e;
  }
  return nullptr;
}

std::string explanation_text(const explanation& e) {
  std::string out;
  if (is_code(e.key)) {
    out += "error ";
    out += e.key;
  } else {
    out += "warning -W";
    out += e.key;
  }
  out += ": ";
  out += e.title;
  out += "\n\n";
  wrapped(out, "", e.rule);
  out += '\n';
  wrapped(out, "Why:", e.why);
  out += "\nWrong:\n\n";
  indented(out, e.wrong);
  out += "\nRight:\n\n";
  indented(out, e.right);
  if (!is_code(e.key)) {
    out += "\nSilence it with -Wno-";
    out += e.key;
    out += "; --strict makes every warning an error.\n";
  }
  return out;
}

int run_explain(const std::optional<std::string>& key, bool reference,
                std::ostream& out, std::ostream& err) {
  if (reference) {
    out << riferimento_markdown();
    return exit_status::ok;
  }
  if (!key) {
    out << "Fault codes (errors):\n";
    for (const explanation& e : table) {
      if (is_code(e.key)) listed(out, e);
    }
    out << "Warnings (-Wno-NAME silences one):\n";
    for (const explanation& e : table) {
      if (!is_code(e.key)) listed(out, e);
    }
    out << "Run 'compatta explain CODE' or 'compatta explain NAME' for one.\n";
    return exit_status::ok;
  }
  const explanation* e = find_explanation(*key);
  if (e == nullptr) {
    err << "compatta: explain: no fault code or warning is called '" << *key
        << "'; 'compatta explain' lists them all\n";
    return exit_status::file_failure;
  }
  out << explanation_text(*e);
  return exit_status::ok;
}

}  // namespace compattatore::tool
