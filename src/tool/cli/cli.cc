#include "tool/cli/cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "tool/cli/bash_completion.h"
#include "tool/commands/build_command.h"
#include "tool/commands/profile_command.h"
#include "tool/commands/report_command.h"
#include "tool/commands/texts_command.h"
#include "tool/commands/watch_command.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/compile_command.h"
#include "tool/decode/dump.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/diagnostics/explanations.h"
#include "tool/drawing/plot.h"
#include "version/version.h"

namespace compattatore::tool {
namespace {

// Each command's help ends with its examples and the exit statuses it can
// return, and no others.
constexpr const char* compile_footer =
    "Examples:\n"
    "  compatta compile work/Orsella_Vantrona_linea.txt "
    "work/Orsella_Vantrona_4273-.txt -o out\n"
    "  compatta compile route.txt train.txt --route-name Valle "
    "--train-number 12 --json\n"
    "\n"
    "Exit status: 0 no data fault; 1 a data fault was recorded (the files "
    "are still written), or a warning with --strict; 2 wrong usage, a file "
    "that cannot be read or written (the compiled files are then as they "
    "were), or an output that is one of the texts; 3 a seal guard failed "
    "(nothing written).";
constexpr const char* check_footer =
    "Examples:\n"
    "  compatta check work/Orsella_Vantrona_linea.txt "
    "work/Orsella_Vantrona_4273-.txt\n"
    "  compatta check route.txt train.txt --no-track --json\n"
    "  compatta check route.txt train.txt -Wno-run-on --strict\n"
    "\n"
    "Exit status: 0 no data fault; 1 a data fault was found, or a warning "
    "with --strict; 2 wrong usage or a text that cannot be read; 3 a seal "
    "guard would fail.";
constexpr const char* build_footer =
    "Examples:\n"
    "  compatta build work\n"
    "  compatta build work -o out -j 4 --json > build.json\n"
    "\n"
    "Exit status: that of the worst scenario. 0 every scenario clean; 1 a "
    "data fault was recorded (its files are still written); 2 wrong usage, "
    "a folder or file that cannot be read or written (that scenario's "
    "compiled files are then as they were), or a train text without its "
    "route text; 3 a seal guard failed (nothing written for that "
    "scenario).";
constexpr const char* texts_footer =
    "Examples:\n"
    "  compatta texts -o work\n"
    "  compatta texts -o work --force\n"
    "\n"
    "Exit status: 0 written; 2 wrong usage, a file that cannot be written, "
    "or a file already there without --force (nothing is written then).";
constexpr const char* dump_footer =
    "Examples:\n"
    "  compatta dump out/Orsella_Vantrona_4273.dat | less\n"
    "  compatta dump out/Orsella_Vantrona_4273.sim --json > stations.json\n"
    "  compatta dump out/Orsella_Vantrona_linea.dat --from 12km --to 12.1km\n"
    "\n"
    "Exit status: 0 decoded; 2 wrong usage, or a file that cannot be read "
    "or decoded.";
constexpr const char* plot_footer =
    "Examples:\n"
    "  compatta plot out/Orsella_Vantrona_linea.dat -o plan.png\n"
    "  compatta plot out/Orsella_Vantrona_linea.dat --cells "
    "out/Orsella_Vantrona_4273.dat --stations out/Orsella_Vantrona_4273.sim "
    "-o plan.svg\n"
    "  compatta plot out/Orsella_Vantrona_linea.dat --stations "
    "out/Orsella_Vantrona_4273.sim --from 14km --to 22km -o stretch.png\n"
    "\n"
    "Exit status: 0 drawn; 2 wrong usage, a file that cannot be read, "
    "decoded or written, an output that is one of the inputs, or a "
    "--from/--to that is not a stretch of the route.";
constexpr const char* profile_footer =
    "Examples:\n"
    "  compatta profile work/Orsella_Vantrona_linea.txt "
    "work/Orsella_Vantrona_4273-.txt -o profile.svg\n"
    "  compatta profile route.txt train.txt --route-name Valle "
    "--train-number 12 --from 10km --to 25km -o valle.png\n"
    "\n"
    "Exit status: 0 drawn (a data fault in the texts is reported on "
    "standard error and the profile drawn from what was read, as the "
    "compiled files would be written); 2 wrong usage, a text that cannot "
    "be read, the same file as both texts, an output that is one of the "
    "texts or cannot be written, or a --from/--to that is not a stretch of "
    "the route.";
constexpr const char* explain_footer =
    "Examples:\n"
    "  compatta explain 16\n"
    "  compatta explain unknown-keyword\n"
    "  compatta explain --reference > formats.md\n"
    "\n"
    "Exit status: 0 explained; 2 wrong usage, or a code or name that "
    "names nothing.";
constexpr const char* report_footer =
    "Examples:\n"
    "  compatta report work/Orsella_Vantrona_linea.txt "
    "work/Orsella_Vantrona_4273-.txt -o report.html\n"
    "  compatta report route.txt train.txt --route-name Valle "
    "--train-number 12 -o valle.html\n"
    "\n"
    "Exit status: 0 no data fault; 1 a data fault was found (the page is "
    "still written and shows it); 2 wrong usage, a text that cannot be "
    "read, or a page that cannot be written or is one of the texts (nothing "
    "written); 3 a seal guard would fail (the "
    "page is still written and says that no compiled file would be).";
constexpr const char* watch_footer =
    "Examples:\n"
    "  compatta watch work/Orsella_Vantrona_linea.txt "
    "work/Orsella_Vantrona_4273-.txt --report report.html\n"
    "  compatta watch route.txt train.txt --route-name Valle "
    "--train-number 12 --report valle.html -o out\n"
    "\n"
    "Exit status: 0 ended by Ctrl-C (or SIGTERM, SIGHUP); 2 wrong usage, a "
    "text that cannot be read at the start, or a page or folder that cannot be "
    "written at the start or is one of "
    "the texts. Problems found in the texts do not end it.";
constexpr const char* main_footer =
    "Run 'compatta COMMAND --help' for a command's options, examples and "
    "exit statuses.";

// The two texts and their names, as every command that reads texts takes
// them.
void add_text_options(CLI::App* sub, compile_options& o) {
  sub->add_option("ROUTE_TEXT", o.testo_linea, "route text, NAME_linea.txt")
      ->required()
      ->type_name("FILE");
  sub->add_option("TRAIN_TEXT", o.testo_treno, "train text, NAME_N-.txt")
      ->required()
      ->type_name("FILE");
  sub->add_option("--route-name", o.nome_linea,
                  "route name (default: NAME of the route text's file name)")
      ->type_name("NAME");
  sub->add_option("--train-number", o.numero_treno,
                  "train number (default: N of the train text's file name)")
      ->type_name("N");
}

void add_scenario_options(CLI::App* sub, compile_options& o) {
  add_text_options(sub, o);
  sub->add_flag("--no-track", o.no_track,
                "build no track line and write no NAME_linea.dat (curve "
                "rows are then not read)");
  sub->add_flag("--json", o.json,
                "print the outcome as one JSON object on standard output");
  sub->add_option("-W", o.warning_flags,
                  "-Wno-NAME silences the warning NAME (see compatta "
                  "explain NAME)")
      ->type_name("no-NAME")
      ->allow_extra_args(false);
  sub->add_flag("--strict", o.strict,
                "count warnings as errors: exit status 1 when there is one");
  sub->add_option("--color", o.color,
                  "colour the diagnostics: auto (on a terminal, unless "
                  "NO_COLOR is set), always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}))
      ->type_name("WHEN");
}

}  // namespace

int compatta_main(int argc, const char* const* argv, std::ostream& out,
                  std::ostream& err) {
  CLI::App app{
      "Compiles scenario texts of one's own byte for byte as the program "
      "does, says where and why reading stopped, decodes the compiled files "
      "and draws the track.",
      "compatta"};
  app.require_subcommand(0, 1);
  app.footer(main_footer);
  app.set_version_flag("--version", std::string("compatta ") + version,
                       "print the version and exit");
  bool bash_completion = false;
  // Hidden: the build makes the packaged completion script from it.
  app.add_flag("--bash-completion", bash_completion)->group("");

  compile_options co;
  CLI::App* compile = app.add_subcommand(
      "compile",
      "Read the two texts, run the consistency pass and the seal, and write "
      "NAME_linea.dat, NAME_N.sim and NAME_N.dat. The texts are never "
      "changed.");
  add_scenario_options(compile, co);
  compile
      ->add_option("-o,--output", co.dir,
                   "directory for the compiled files (default: the "
                   "current directory; made when missing)")
      ->type_name("DIR");
  compile->footer(compile_footer);

  CLI::App* check = app.add_subcommand(
      "check",
      "The same as compile, writing nothing: every problem of both texts, "
      "errors and warnings, in the order of the texts.");
  add_scenario_options(check, co);
  check->footer(check_footer);

  build_options bopt;
  CLI::App* build = app.add_subcommand(
      "build",
      "Compile every scenario of a folder, each train text NAME_N-.txt with "
      "its route text NAME_linea.txt, as compile does, several at once and "
      "only those whose texts or compiled files changed since the last "
      "build. The texts are never changed.");
  build->add_option("DIR", bopt.dir, "folder of route and train texts")
      ->required()
      ->type_name("DIR");
  build
      ->add_option("-o,--output", bopt.out,
                   "folder for the compiled files and the build state "
                   "(default: DIR; made when missing)")
      ->type_name("OUT");
  build
      ->add_option("-j,--jobs", bopt.jobs,
                   "scenarios compiled at once (default: one per processor)")
      ->check(CLI::Range(1u, 1024u))
      ->type_name("N");
  build->add_flag("--force", bopt.force,
                  "compile every scenario, changed or not");
  build->add_flag("--json", bopt.json,
                  "print a JSON list of per-scenario objects on standard "
                  "output instead of the table");
  build->footer(build_footer);

  std::string texts_dir = ".";
  bool texts_force = false;
  CLI::App* texts = app.add_subcommand(
      "texts",
      "Write the compiled-in route text, train text and three documents, a "
      "starting point for an author.");
  texts
      ->add_option("-o,--output", texts_dir,
                   "directory (default: the current directory; made when "
                   "missing)")
      ->type_name("DIR");
  texts->add_flag("--force", texts_force,
                  "replace files of these names that are already there "
                  "(without it nothing is written then)");
  texts->footer(texts_footer);

  dump_options dopt;
  CLI::App* dump = app.add_subcommand(
      "dump",
      "Decode a compiled file: the station table entry by entry, the cell "
      "row cell by cell, the track line metre by metre.");
  dump->add_option("FILE", dopt.file, "compiled file")
      ->required()
      ->type_name("FILE");
  dump->add_option("--kind", dopt.kind,
                   "what the file holds (default: from its name: "
                   "NAME_linea.dat track, .sim stations, .dat cells)")
      ->check(CLI::IsMember({"track", "stations", "cells"}))
      ->type_name("KIND");
  dump->add_flag("--json", dopt.json,
                 "print one JSON object whose field values rebuild the "
                 "records");
  dump->add_flag("--all", dopt.all,
                 "cells: list every cell, not only those holding an object "
                 "(JSON: not only those with a nonzero field)");
  dump->add_option("--from", dopt.from,
                   "cells and track: list from this distance on (metres: "
                   "1500 or 1500m; kilometres: 1.5km)")
      ->type_name("DISTANCE");
  dump->add_option("--to", dopt.to,
                   "cells and track: list up to this distance, included")
      ->type_name("DISTANCE");
  dump->footer(dump_footer);

  plot_options popt;
  CLI::App* plot = app.add_subcommand(
      "plot",
      "Draw the plan view of a track line to scale, with kilometre ticks "
      "and, when given, stations, signals, slowdowns and boards.");
  plot->add_option("TRACK_FILE", popt.track, "track line, NAME_linea.dat")
      ->required()
      ->type_name("FILE");
  plot->add_option("--cells", popt.cells, "cell row, NAME_N.dat")
      ->type_name("FILE");
  plot->add_option("--stations", popt.stations, "station table, NAME_N.sim")
      ->type_name("FILE");
  plot->add_option("-o,--output", popt.out, "drawing: OUT.svg, .png or .pdf")
      ->required()
      ->type_name("OUT");
  plot->add_option("--width", popt.width,
                   "width in pixels (PNG) or points (default 1200)")
      ->check(CLI::Range(200, 20000));
  plot->add_option("--height", popt.height,
                   "height in pixels (PNG) or points (default 800)")
      ->check(CLI::Range(200, 20000));
  plot->add_option("--from", popt.from,
                   "draw from this distance on (metres: 1500 or 1500m; "
                   "kilometres: 1.5km)")
      ->type_name("DISTANCE");
  plot->add_option("--to", popt.to,
                   "draw up to this distance (default: the route's end)")
      ->type_name("DISTANCE");
  plot->add_flag("--margin", popt.margin,
                 "also draw the line past the route's end (the cell row's "
                 "7000 m margin), dashed");
  plot->footer(plot_footer);

  std::optional<std::string> explain_key;
  bool explain_reference = false;
  CLI::App* explain = app.add_subcommand(
      "explain",
      "Explain a fault code or a warning: the rule, why the simulator needs "
      "it, and a wrong and a right way to write it. Without CODE, list them "
      "all.");
  explain
      ->add_option("CODE", explain_key,
                   "a fault code (16) or a warning's name (unknown-keyword)")
      ->type_name("CODE|NAME");
  explain->add_flag("--reference", explain_reference,
                    "print the reference of both text formats (Markdown): "
                    "every record, its values, units and an example");
  explain->footer(explain_footer);
  // A warning's name as the messages print it, "-Wrun-on", is not an
  // option of this command but the name to explain.
  explain->allow_extras();
  compile_options ro;
  std::string report_out;
  CLI::App* report = app.add_subcommand(
      "report",
      "Check the two texts as compile does and write one HTML page that "
      "holds everything it shows: the diagnostics with the lines they point "
      "at, the plan view, the stations and timetable, the signals, "
      "slowdowns, speed points, boards and indication boards, and the files "
      "compile would write. The page needs nothing else: open it from "
      "disk, or pass it on. Nothing else is written.");
  add_text_options(report, ro);
  report->add_option("-o,--output", report_out, "the page, OUT.html")
      ->required()
      ->type_name("OUT");
  report->footer(report_footer);

  watch_options wopt;
  CLI::App* watch = app.add_subcommand(
      "watch",
      "Check the two texts as compile does, then again each time either is "
      "saved, and print each check's diagnostics under a line with the "
      "time. With --report it keeps the page of report up to date (an open "
      "page reloads itself while watch runs); with -o it writes the compiled "
      "files as compile does. Ctrl-C ends it.");
  add_text_options(watch, wopt.texts);
  watch->add_option("--report", wopt.report, "the page to keep up to date")
      ->type_name("OUT.html");
  watch
      ->add_option("-o,--output", wopt.dir,
                   "directory for the compiled files (made when missing); "
                   "without it none are written")
      ->type_name("DIR");
  watch->footer(watch_footer);
  profile_options fopt;
  CLI::App* profile = app.add_subcommand(
      "profile",
      "Compile the two texts in memory and draw their profiles along the "
      "kilometres, one above the other: speed limits (line speed, "
      "slowdowns, speed caps and the speed points the consistency pass "
      "adds), signals, stations with their stop and time, gradient, "
      "elevation and mountain stretches, adhesion. The texts are never "
      "changed.");
  add_text_options(profile, fopt.testi);
  profile->add_option("-o,--output", fopt.out, "drawing: OUT.svg, .png or .pdf")
      ->required()
      ->type_name("OUT");
  profile
      ->add_option("--from", fopt.from,
                   "draw from this distance on (metres: 1500 or 1500m; "
                   "kilometres: 1.5km)")
      ->type_name("DISTANCE");
  profile
      ->add_option("--to", fopt.to,
                   "draw up to this distance (default: the route's end, or "
                   "the end of a station area past it)")
      ->type_name("DISTANCE");
  profile
      ->add_option("--width", fopt.width,
                   "width in pixels (PNG) or points (default 1600)")
      ->check(CLI::Range(400, 20000));
  profile
      ->add_option("--height", fopt.height,
                   "height in pixels (PNG) or points (default 1000)")
      ->check(CLI::Range(400, 20000));
  profile->footer(profile_footer);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
      return app.exit(e, out, err);
    }
    const std::vector<std::string> rest = app.remaining();
    if (app.get_subcommands().empty() && !rest.empty() &&
        !rest.front().starts_with('-')) {
      err << prefisso_tool << "unknown command " << rest.front()
          << ": the commands are compile, check, build, texts, dump, plot, "
             "profile, report, watch and explain\n";
    } else {
      err << prefisso_tool << e.what() << '\n';
    }
    err << "Run 'compatta --help' or 'compatta COMMAND --help' for usage.\n";
    return exit_status::file_failure;
  }

  if (bash_completion) {
    write_bash_completion(app, out);
    return exit_status::ok;
  }
  if (app.get_subcommands().empty()) {
    err << prefisso_tool
        << "a command is required: compile, check, build, texts, "
           "dump, plot, profile, report, watch or explain\n"
        << "Run 'compatta --help' or 'compatta COMMAND --help' for usage.\n";
    return exit_status::file_failure;
  }
  if (compile->parsed()) return run_compile(co, true, out, err);
  if (check->parsed()) return run_compile(co, false, out, err);
  if (build->parsed()) {
    // A progress line only where a person watches it.
    bopt.progress = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    return run_build(bopt, out, err);
  }
  if (texts->parsed()) return run_texts(texts_dir, texts_force, out, err);
  if (dump->parsed()) return run_dump(dopt, out, err);
  if (plot->parsed()) return run_plot(popt, out, err);
  if (profile->parsed()) return run_profile(fopt, out, err);
  if (report->parsed()) return run_report(ro, report_out, out, err);
  if (watch->parsed()) return run_watch(wopt, out, err);
  if (explain->parsed()) {
    const std::vector<std::string> extra = explain->remaining();
    if (!explain_key && extra.size() == 1)
      explain_key = extra.front();
    else if (!extra.empty()) {
      err << prefisso_tool << "explain: one code or name at a time, not "
          << extra.front() << '\n';
      return exit_status::file_failure;
    }
    return run_explain(explain_key, explain_reference, out, err);
  }
  return exit_status::file_failure;  // unreachable: one command was parsed
}

}  // namespace compattatore::tool
