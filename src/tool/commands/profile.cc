// compatta profile: the scenario's profiles along the kilometres.
#include <CLI/CLI.hpp>
#include <memory>

#include "tool/cli/common_options.h"
#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"
#include "tool/drawing/profile_texts.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "work/Orsella_Vantrona_linea.txt work/Orsella_Vantrona_4273-.txt -o "
    "profile.svg",
    "route.txt train.txt --route-name Valle --train-number 12 --from 10km "
    "--to 25km -o valle.png",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok,
     "drawn (a data fault in the texts is reported on standard error and the "
     "profile drawn from what was read, as the compiled files would be "
     "written)"},
    {exit_status::file_failure,
     "wrong usage, a text that cannot be read, an output that is one of the "
     "texts or cannot be written, or a --from/--to that is not a stretch of "
     "the route"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<profile_options>();
  add_text_options(app, o->texts);
  app.add_option("-o,--output", o->out, "drawing: OUT.svg, .png or .pdf")
      ->required()
      ->type_name("OUT");
  app.add_option("--from", o->from,
                 "draw from this distance on (metres: 1500 or 1500m; "
                 "kilometres: 1.5km)")
      ->type_name("DISTANCE");
  app.add_option("--to", o->to,
                 "draw up to this distance (default: the route's end, or "
                 "the end of a station area past it)")
      ->type_name("DISTANCE");
  app.add_option("--width", o->width,
                 "width in pixels (PNG) or points (default 1600)")
      ->check(CLI::Range(400, 20000));
  app.add_option("--height", o->height,
                 "height in pixels (PNG) or points (default 1000)")
      ->check(CLI::Range(400, 20000));
  return [o](std::ostream& out, std::ostream& err) {
    return run_profile(*o, out, err);
  };
}

}  // namespace

const command& profile_command() {
  static const command c{
      .name = "profile",
      .summary =
          "Compile the two texts in memory and draw their profiles along the "
          "kilometres, one above the other: speed limits (line speed, "
          "slowdowns, speed caps and the speed points the consistency pass "
          "adds), signals, stations with their stop and time, gradient, "
          "elevation and mountain stretches, adhesion. The texts are never "
          "changed.",
      .details =
          "compiles the texts in memory (as `check`, without the track line) "
          "and draws their profiles one above the other on one kilometre "
          "axis, from the compiled cell row and station table, so it shows "
          "what the simulator loads: the speed limit (line speed lowered in "
          "each slowdown, with its warning and end), speed caps and the speed "
          "points the consistency pass added, signals with their values, "
          "stations with their area, stop (the end marker) and time, the "
          "gradient in per mille with the elevation it adds up to and the "
          "mountain stretches with their codes, and the adhesion. A cell's "
          "values are drawn over the 50 m it stands for, from (c − 1) × 50 m, "
          "as `dump` lists it. It ends at the route's end, or at the end of a "
          "station area past it. A data fault is reported on standard error "
          "and the profile drawn from what was read (status 0). Writes OUT, "
          "an `.svg`, `.png` or `.pdf`, and nothing else",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
