// The least a compile of a route with its track line can cost: what is left
// of it when nothing is read or made but the line.
//
//   linea_minima prepara ROUTE TRAIN DRAWING
//     Compiles the texts (untimed, in memory) and keeps the track line's
//     drawing, its runs of one turn, in the file DRAWING.
//   linea_minima scrivi DRAWING SRC_DIR OUT_DIR LINE FILE...
//     Reads DRAWING and SRC_DIR/FILE for every FILE, then writes the line's
//     file as OUT_DIR/LINE and each FILE as OUT_DIR/FILE, as one set, by the
//     compile's own code: the points computed in their fixed order as the
//     file is written, temporary files and renames.
//
// Timed as a whole process against `cp` of the same files, `scrivi` shows
// what the arithmetic of the line and the writing cost together; a compile
// adds reading and checking the texts to it.
#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "compact/driver.h"
#include "compact/track_file.h"
#include "model/fatal_report.h"
#include "model/scenario.h"
#include "platform/process_memory.h"
#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"

namespace {

namespace c = compattatore;

class stop_report : public c::fatal_report {
 public:
  void errore(const std::string& a) override {
    std::cerr << "linea_minima: the seal failed with error " << a << '\n';
    std::exit(2);
  }
};

// The drawing as bytes: its metres, whether seeded, and each run's end and
// turn, in the machine's own order (only this program reads them back).
template <typename T>
void put(std::string& out, T v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}
template <typename T>
T take(std::string_view& in) {
  T v{};
  if (in.size() < sizeof v) {
    std::cerr << "linea_minima: the drawing file is cut short\n";
    std::exit(2);
  }
  std::memcpy(&v, in.data(), sizeof v);
  in.remove_prefix(sizeof v);
  return v;
}

int prepara(const std::string& route, const std::string& train,
            const std::string& drawing) {
  c::real_file_system disk;
  c::scenario s;
  stop_report report;
  const c::testi_scenario testi{route, train, false};
  if (!c::compatta(s, 1, disk, testi, report) || s.codice_errore != 0) {
    std::cerr << "linea_minima: the texts do not compile cleanly\n";
    return 2;
  }
  const c::disegno_tracciato& d = s.tracciato;
  std::string out;
  put<std::uint64_t>(out, d.metri());
  put<std::uint8_t>(out, d.seminato() ? 1 : 0);
  put<std::uint64_t>(out, d.tratti().size());
  for (const c::disegno_tracciato::tratto& t : d.tratti()) {
    put<std::int32_t>(out, t.fine);
    put<double>(out, t.k);
  }
  disk.replace(drawing, out);
  return 0;
}

int scrivi(int argc, char** argv) {
  c::keep_freed_memory();
  c::real_file_system disk;
  const std::string bytes = disk.read(argv[2], std::size_t{1} << 26);
  std::string_view in = bytes;
  c::disegno_tracciato d;
  const auto metri = take<std::uint64_t>(in);
  if (metri == 0 || metri > (std::uint64_t{1} << 30)) return 2;
  d.make(static_cast<std::int32_t>(metri - 1));
  if (take<std::uint8_t>(in) != 0) {
    d.seed();
    const auto runs = take<std::uint64_t>(in);
    for (std::uint64_t i = 0; i < runs; ++i) {
      const auto fine = take<std::int32_t>(in);
      const auto k = take<double>(in);
      d.disegna(fine, k);
    }
  }
  const std::string src = argv[3];
  const std::string out = argv[4];
  std::vector<std::string> others;
  for (int i = 6; i < argc; ++i) {
    others.push_back(disk.read(src + "/" + argv[i], std::size_t{1} << 26));
  }
  std::vector<c::new_file> set;
  set.push_back({out + "/" + argv[5], c::byte_tracciato(d),
                 [&d](const c::byte_sink& sink) { c::encode_track(d, sink); }});
  for (int i = 6; i < argc; ++i) {
    const std::string& b = others[static_cast<std::size_t>(i - 6)];
    set.push_back({out + "/" + argv[i], b.size(),
                   [&b](const c::byte_sink& sink) { sink(0, b); }});
  }
  disk.replace_set(set);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  try {
    if (mode == "prepara" && argc == 5)
      return prepara(argv[2], argv[3], argv[4]);
    if (mode == "scrivi" && argc >= 6) return scrivi(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "linea_minima: " << e.what() << '\n';
    return 2;
  }
  std::cerr << "usage: linea_minima prepara ROUTE TRAIN DRAWING\n"
               "       linea_minima scrivi DRAWING SRC_DIR OUT_DIR LINE "
               "[FILE...]\n";
  return 2;
}
