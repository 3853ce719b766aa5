#include "tool/decompile/section_notes.h"

#include <filesystem>

namespace compattatore::tool {
namespace {

std::string nome_file(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string conta(std::size_t n, const char* uno, const char* tanti) {
  return std::to_string(n) + " " + (n == 1 ? uno : tanti);
}

}  // namespace

void annota(const fonti_note& f, testi_recuperati& t) {
  const std::string da = nome_file(f.stazioni);
  testo_linea_recuperato& l = t.linea;
  auto& nl = l.note;
  std::string generale = "route text decompiled from " + da +
                         " by compatta: general values from the station "
                         "table's header entries";
  if (f.lettura == lettura_linea::senza_celle) {
    generale +=
        "; the route length was refused or missing when these files "
        "were compiled: nothing after it was read";
  } else if (f.lettura == lettura_linea::guasto_generale) {
    generale +=
        "; a fault stopped the reading in this section when these "
        "files were compiled: its last row stops it again";
  }
  nl.emplace_back("[generale]", generale);
  if (f.tracciato.empty()) {
    nl.emplace_back("[curve]",
                    "no curve rows: without the route-wide file the curves "
                    "cannot be recovered");
  } else {
    nl.emplace_back("[curve]",
                    conta(l.curve.size(), "curve row", "curve rows") +
                        ": each metre's turn read from the track line " +
                        nome_file(f.tracciato) +
                        " and the metres of one turn joined");
  }
  nl.emplace_back("[pendenze]",
                  conta(l.pendenze.size(), "gradient row", "gradient rows") +
                      ": one where the cell row's gradient changes (each 50 "
                      "m cell keeps one value)");
  nl.emplace_back(
      "[montagne]",
      conta(l.montagne.size(), "montagna stretch", "montagna stretches") +
          ": runs of one code in the cell row and their markers; "
          "ends to the 50 m");
  nl.emplace_back("[cartelli]",
                  conta(l.indicatori.size(), "maximum-speed board",
                        "maximum-speed boards") +
                      " from the cell row");
  nl.emplace_back(
      "[indicazioni]",
      conta(l.cartelli.size(), "indication board", "indication boards") +
          ": places from the cell row and inscriptions from the "
          "station table");
  nl.emplace_back("guasto",
                  "these files were compiled from a route text that a fault "
                  "stopped after its records (the track line ends at metre " +
                      std::to_string(f.fine_disegno) +
                      "): the row below stops this one there too");

  testo_treno_recuperato& r = t.treno;
  auto& nt = r.note;
  std::string generale_treno = "train text decompiled from " + da +
                               " by compatta: header values from the "
                               "station table";
  if (r.non_letto) {
    generale_treno +=
        "; the route text stopped at a fault before this text "
        "was read: nothing of it reached the compiled files";
  }
  nt.emplace_back("[generale]", generale_treno);
  nt.emplace_back("[aderenze]",
                  conta(r.aderenze.size(), "adhesion row", "adhesion rows") +
                      ": one where the cell row's adhesion changes");
  nt.emplace_back(
      "[vel_limite]",
      conta(r.velocita.size(), "line speed row", "line speed rows") +
          ": one where the cell row's line speed changes (kept "
          "in steps of 5 km/h)");
  nt.emplace_back("[stazioni]",
                  conta(r.stazioni.size(), "station", "stations") +
                      " from the station table: each length from its area "
                      "and kind");
  nt.emplace_back("[rallentamenti]",
                  conta(r.rallentamenti.size(), "slowdown", "slowdowns") +
                      " from their start; end; warning and approach marks");
  nt.emplace_back("[segnali]",
                  conta(r.segnali.size(), "signal", "signals") +
                      ": aspects from the signal's cell and its approach "
                      "codes");
  nt.emplace_back(
      "[codici]",
      conta(r.abbattimenti.size(), "speed cap", "speed caps") + "; " +
          conta(f.punti_del_passo, "180 km/h speed point",
                "180 km/h speed "
                "points") +
          " of the consistency pass and the seal in cell 1 left out: "
          "compiling adds them again");
  nt.emplace_back("parziale",
                  "this station's row stopped the reading with a fault when "
                  "these files were compiled: it stops it here too");
  nt.emplace_back("ancora",
                  "read after the records above: its marks fall on theirs");
}

}  // namespace compattatore::tool
