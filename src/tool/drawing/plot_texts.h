// What the drawings write beside an object of the compiled files, in
// UTF-8: a speed board's speeds, an indication board's inscription, a
// signal's values, a station's time.
#ifndef TOOL_DRAWING_PLOT_TEXTS_H_
#define TOOL_DRAWING_PLOT_TEXTS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace compattatore::tool {

/// A maximum-speed indicator's speeds in km/h, from its values
/// round(d / 5 + s * 20): side s as "80" when its three speeds are equal,
/// else "95/105/105"; side d after " | " when it holds any.
std::string speed_board_text(const cella& c);

/// An inscription of the route text as it reads: the groups' parentheses
/// and padding dropped ("(GALLERIA  )(CERRETO   )" is "GALLERIA CERRETO").
std::string indication_text(std::string_view nome);

/// A signal's three values (s * 10 + d each, side s then side d) as
/// "s 340 d 210".
std::string signal_text(const cella& c);

/// Seconds since midnight as "10:52" or "10:52:30"; empty for 0.
std::string timetable_text(std::int32_t seconds);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_TEXTS_H_
