// compatta plot: the plan view of a track line.
#include "tool/drawing/plot.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "tool/commands/commands.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {
namespace {

constexpr std::string_view examples[] = {
    "out/Orsella_Vantrona_linea.dat -o plan.png",
    "out/Orsella_Vantrona_linea.dat --cells out/Orsella_Vantrona_4273.dat "
    "--stations out/Orsella_Vantrona_4273.sim -o plan.svg",
    "out/Orsella_Vantrona_linea.dat --stations out/Orsella_Vantrona_4273.sim "
    "--from 14km --to 22km -o stretch.png",
};

constexpr exit_meaning statuses[] = {
    {exit_status::ok, "drawn"},
    {exit_status::file_failure,
     "wrong usage, a file that cannot be read, decoded or written, an output "
     "that is one of the inputs, or a --from/--to that is not a stretch of "
     "the route"},
};

command_run define(CLI::App& app) {
  auto o = std::make_shared<plot_options>();
  app.add_option("TRACK_FILE", o->track, "track line, NAME_linea.dat")
      ->required()
      ->type_name("FILE");
  app.add_option("--cells", o->cells, "cell row, NAME_N.dat")
      ->type_name("FILE");
  app.add_option("--stations", o->stations, "station table, NAME_N.sim")
      ->type_name("FILE");
  app.add_option("-o,--output", o->out, "drawing: OUT.svg, .png or .pdf")
      ->required()
      ->type_name("OUT");
  app.add_option("--width", o->width,
                 "width in pixels (PNG) or points (default 1200)")
      ->check(CLI::Range(200, 20000));
  app.add_option("--height", o->height,
                 "height in pixels (PNG) or points (default 800)")
      ->check(CLI::Range(200, 20000));
  app.add_option("--from", o->from,
                 "draw from this distance on (metres: 1500 or 1500m; "
                 "kilometres: 1.5km)")
      ->type_name("DISTANCE");
  app.add_option("--to", o->to,
                 "draw up to this distance (default: the route's end)")
      ->type_name("DISTANCE");
  app.add_flag("--margin", o->margin,
               "also draw the line past the route's end (the cell row's "
               "7000 m margin), dashed");
  return [o](std::ostream& out, std::ostream& err) {
    return run_plot(*o, out, err);
  };
}

}  // namespace

const command& plot_command() {
  static const command c{
      .name = "plot",
      .summary =
          "Draw the plan view of a track line to scale, with kilometre "
          "ticks and, when given, stations, signals, slowdowns and "
          "boards.",
      .details =
          "the plan view to scale with kilometre ticks and a legend: "
          "stations, signals, slowdowns with their warning, speed caps, speed "
          "boards with their speeds and indication boards with their "
          "inscriptions, each its own mark; labels never cover one another (a "
          "leader line joins one moved away from its mark; where there is "
          "room, labels and leaders keep off the line, the marks and each "
          "other; one with no room left is left out, and the title says how "
          "many). `--from`/`--to` draw a stretch (metres or kilometres, as "
          "`dump` takes them; from before to, both within the route); the "
          "line past the route's end, the cell row's 7000 m margin, only with "
          "`--margin`. An SVG keeps its text as text, so names can be "
          "searched. OUT, an `.svg`, `.png` or `.pdf`, must not be one of the "
          "inputs",
      .examples = examples,
      .statuses = statuses,
      .define = define,
  };
  return c;
}

}  // namespace compattatore::tool
