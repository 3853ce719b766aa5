#include "tool/drawing/plot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "platform/real_file_system.h"
#include "tool/common/distance.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/drawing/drawing_file.h"
#include "tool/drawing/plot_sampling.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/read_limits.h"

namespace compattatore::tool {

int run_plot(const plot_options& o, std::ostream& out, std::ostream& err) {
  const std::optional<plot_format> format = drawing_format(o.out, err);
  if (!format) return exit_status::file_failure;
  real_file_system disk;
  std::vector<std::string> inputs = {o.track};
  for (const std::string* p : {&o.cells, &o.stations}) {
    if (!p->empty()) inputs.push_back(*p);
  }
  guarded_file_system fs(disk, inputs);
  if (fs.protects(o.out)) {
    err << message_prefix << "cannot write " << o.out
        << ": it is one of the files being read\n";
    return exit_status::file_failure;
  }
  std::string problem;
  auto read = [&](const std::string& path, std::string* bytes) {
    try {
      *bytes = disk.read(path, compiled_file_limit);
      return true;
    } catch (const file_error& e) {
      err << message_prefix << e.what() << '\n';
      return false;
    }
  };
  auto not_readable = [&](const std::string& path, std::string_view what) {
    err << path << ": not a " << what << " file: " << problem << '\n';
    return exit_status::file_failure;
  };

  std::string bytes;
  tracciato_linea tracciato;
  if (!read(o.track, &bytes)) return exit_status::file_failure;
  if (const decode_result f = decode_track(bytes, &tracciato)) {
    problem = f->message;
    return not_readable(o.track, "track line");
  }
  std::vector<cella> celle;
  if (!o.cells.empty()) {
    if (!read(o.cells, &bytes)) return exit_status::file_failure;
    if (const decode_result f = decode_cells(bytes, &celle)) {
      problem = f->message;
      return not_readable(o.cells, "cell row");
    }
  }
  std::array<stazione, numero_stazioni> stazioni{};
  if (!o.stations.empty()) {
    if (!read(o.stations, &bytes)) return exit_status::file_failure;
    if (const decode_result f = decode_stations(bytes, &stazioni)) {
      problem = f->message;
      return not_readable(o.stations, "station table");
    }
  }

  // The stretch is checked against the route's end, which the station
  // table knows; without it, or with the margin, against the line's end.
  const std::vector<line_point> points = track_points(tracciato);
  std::int64_t route_end =
      points.empty() ? 0 : static_cast<std::int64_t>(points.back().metro);
  const std::int32_t lunghezza =
      stazioni[stazione_testata_treno_linea].fine_area;
  const char* end_name = "the track line's end";
  if (!o.stations.empty() && !o.margin && lunghezza > 0 &&
      lunghezza < route_end) {
    route_end = lunghezza;
    end_name = "the route's end (--margin draws past it)";
  }
  requested_stretch stretch;
  if (!parse_stretch(o.from, o.to, route_end, &stretch, &problem, end_name)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }

  plot_input in;
  in.from = stretch.from;
  in.to = stretch.to;
  in.margin = o.margin;
  in.tracciato = &tracciato;
  in.celle = o.cells.empty() ? nullptr : &celle;
  in.stazioni = o.stations.empty() ? nullptr : &stazioni;
  const auto slash = o.track.rfind('/');
  in.title = slash == std::string::npos ? o.track : o.track.substr(slash + 1);
  std::string drawing;
  if (!draw_plan(in, *format, o.width, o.height, &drawing, &problem)) {
    err << o.track << ": " << problem << '\n';
    return exit_status::file_failure;
  }
  return write_drawing(fs, o.out, drawing, out, err);
}

}  // namespace compattatore::tool
