#include "tool/report/report_page.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "model/glossario.h"
#include "tool/common/exit_status.h"
#include "tool/common/html_text.h"
#include "tool/diagnostics/diagnostic.h"
#include "tool/report/report_page_assets.h"
#include "version/version.h"

namespace compattatore::tool {
namespace {

struct testo_pagina {
  std::string_view prefix;  // of the line anchors
  std::string_view label;
  const std::string* path;
  std::vector<std::string_view> righe;
};

std::vector<std::string_view> split_lines(std::string_view bytes) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    out.push_back(line);
    start = end + 1;
  }
  return out;
}

std::string anchor(const testo_pagina& t, std::int32_t line) {
  return std::string(t.prefix) + "-L" + std::to_string(line);
}

// Metres as kilometres with the metres after the point: 12350 as 12.350.
std::string km(std::int64_t metri) {
  const bool negativo = metri < 0;
  const std::int64_t m = negativo ? -metri : metri;
  std::string frac = std::to_string(m % 1000);
  frac.insert(0, 3 - frac.size(), '0');
  return (negativo ? "-" : "") + std::to_string(m / 1000) + "." + frac;
}

std::string hms(std::int32_t secondi) {
  if (secondi < 0) return std::to_string(secondi) + " s";
  auto two = [](std::int32_t v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
  };
  return two(secondi / 3600) + ":" + two(secondi / 60 % 60) + ":" +
         two(secondi % 60);
}

std::string num(long long v) { return std::to_string(v); }

// A table whose cells are HTML already; a column marked numeric is set to
// the right.
class table {
 public:
  table(std::string& o,
        std::initializer_list<std::pair<const char*, bool>> columns)
      : o_(o) {
    o_ += "<table><thead><tr>";
    for (const auto& [name, numeric] : columns) {
      numeric_.push_back(numeric);
      o_ += numeric ? "<th class=\"n\">" : "<th>";
      o_ += name;
      o_ += "</th>";
    }
    o_ += "</tr></thead><tbody>\n";
  }
  ~table() { end(); }
  table(const table&) = delete;
  table& operator=(const table&) = delete;

  /// Closes the table; the destructor does when this was not called.
  void end() {
    if (!open_) return;
    o_ += "</tbody></table>\n";
    open_ = false;
  }

  void row(std::initializer_list<std::string> cells,
           const std::string& title = {}) {
    o_ += title.empty() ? "<tr>" : "<tr title=\"" + title + "\">";
    std::size_t i = 0;
    for (const std::string& c : cells) {
      const bool n = i < numeric_.size() && numeric_[i];
      o_ += n ? "<td class=\"n\">" : "<td>";
      o_ += c;
      o_ += "</td>";
      ++i;
    }
    o_ += "</tr>\n";
  }

 private:
  std::string& o_;
  std::vector<bool> numeric_;
  bool open_ = true;
};

void section_start(std::string& o, std::string_view id,
                   std::string_view heading) {
  o += "<section id=\"";
  o += id;
  o += "\"><h2>";
  o += heading;
  o += "</h2>\n";
}

void none(std::string& o, std::string_view what) {
  o += "<p class=\"none\">";
  o += what;
  o += "</p>\n";
}

void header_facts(std::string& o, const scenario_paths& p,
                  const scenario_check& c) {
  const stazione& treno_linea = c.s.stazioni[stazione_testata_treno_linea];
  const stazione& treno = c.s.stazioni[stazione_testata_treno];
  o += "<dl class=\"facts\">\n";
  auto fact = [&o](std::string_view what, const std::string& html) {
    o += "<dt>";
    o += what;
    o += "</dt><dd>";
    o += html;
    o += "</dd>\n";
  };
  fact("Route text", "<a href=\"#route-text\"><code>" +
                         html_bytes(p.testo_linea) + "</code></a>");
  fact("Train text", "<a href=\"#train-text\"><code>" +
                         html_bytes(p.testo_treno) + "</code></a>");
  fact("Route length", num(treno_linea.fine_area) + " m (km " +
                           km(treno_linea.fine_area) + ")");
  fact("Cells", num(static_cast<long long>(c.s.celle.size())) + " of " +
                    num(passo_cella) + " m");
  fact("Coaches", num(treno_linea.progressiva));
  fact("Braked mass", num(treno_linea.inizio_area) + " %");
  fact("Start clock", num(treno.numero_3) + ":" + num(treno.numero_4) + ":" +
                          num(treno.numero_5));
  fact("Signal repetition", treno.fine_area == 0
                                ? std::string("none")
                                : "km " + km(treno.inizio_area) + " to " +
                                      km(treno.fine_area) + ", " +
                                      num(treno.progressiva) + " codes");
  o += "</dl>\n";
}

void status_line(std::string& o, const scenario_check& c) {
  if (!c.outcome.sealed) {
    o +=
        "<p class=\"status seal\" id=\"status\" data-status=\"3\">A seal guard "
        "failed: no compiled file would be written (exit status 3).</p>\n";
    return;
  }
  if (c.outcome.status == exit_status::data_fault) {
    o += "<p class=\"status fault\" id=\"status\" data-status=\"1\">A data "
         "fault was found (exit status 1). compile would still write the "
         "files, from whatever was read.</p>\n";
    return;
  }
  std::size_t warnings = 0;
  for (const diagnostic& d : c.outcome.problems) {
    if (d.level == severity::warning) ++warnings;
  }
  if (warnings > 0) {
    o += "<p class=\"status ok\" id=\"status\" data-status=\"0\">No error; " +
         std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
         " below (exit status 0).</p>\n";
    return;
  }
  o += "<p class=\"status ok\" id=\"status\" data-status=\"0\">No problem "
       "found (exit status 0).</p>\n";
}

// The quoted line with the columns from `column` up to `end_column` marked.
std::string quoted_line(std::string_view line, std::int32_t column,
                        std::int32_t end_column) {
  if (column <= 0) return html_latin1(line);
  const std::size_t from = static_cast<std::size_t>(column - 1);
  const std::size_t to =
      end_column > column ? static_cast<std::size_t>(end_column - 1) : from + 1;
  std::string out;
  if (from >= line.size()) {
    return html_latin1(line) + "<mark> </mark>";
  }
  out += html_latin1(line.substr(0, from));
  out += "<mark>";
  out += html_latin1(line.substr(from, to - from));
  out += "</mark>";
  if (to < line.size()) out += html_latin1(line.substr(to));
  return out;
}

const testo_pagina* text_of(const std::vector<testo_pagina>& testi,
                            const std::string& file, std::int32_t line) {
  for (const testo_pagina& t : testi) {
    if (*t.path == file && line > 0 &&
        static_cast<std::size_t>(line) <= t.righe.size()) {
      return &t;
    }
  }
  return nullptr;
}

// "FILE:LINE:COLUMN: ", linked to its line where the line is shown; empty
// when no file is to blame.
std::string place(const std::vector<testo_pagina>& testi,
                  const std::string& file, std::int32_t line,
                  std::int32_t column) {
  if (file.empty()) return {};
  std::string where = html_bytes(file);
  if (line > 0) where += ":" + num(line);
  if (line > 0 && column > 0) where += ":" + num(column);
  const testo_pagina* t = text_of(testi, file, line);
  if (t == nullptr) return "<code>" + where + "</code>: ";
  return "<a href=\"#" + anchor(*t, line) + "\"><code>" + where +
         "</code></a>: ";
}

void diagnostics_section(std::string& o, const scenario_check& c,
                         const std::vector<testo_pagina>& testi) {
  section_start(o, "diagnostics", "Diagnostics");
  const std::vector<diagnostic>& list = c.outcome.problems;
  if (list.empty()) {
    none(o, "None: both texts read to their end and the seal held.");
    o += "</section>\n";
    return;
  }
  o += "<ol class=\"diags\">\n";
  for (const diagnostic& d : list) {
    const bool error = d.level == severity::error;
    o += error ? "<li class=\"error\">" : "<li class=\"warning\">";
    o += "<span class=\"sev\">";
    o += error ? "error" : "warning";
    if (d.code) o += " " + num(*d.code);
    if (!d.name.empty()) o += " [" + html_bytes(d.name) + "]";
    o += "</span>";
    const std::string where = place(testi, d.file, d.line, d.column);
    o += where.empty() ? ": " : " " + where;
    o += html_bytes(d.message);
    if (const testo_pagina* t = text_of(testi, d.file, d.line)) {
      o += "<pre class=\"quote\">";
      o += quoted_line(t->righe[static_cast<std::size_t>(d.line - 1)], d.column,
                       d.end_column);
      o += "</pre>";
    }
    if (!d.notes.empty()) {
      o += "<ul class=\"notes\">";
      for (const diagnostic_note& n : d.notes) {
        o += "<li>note: ";
        o += place(testi, n.file, n.line, n.column);
        o += html_bytes(n.message);
        o += "</li>";
      }
      o += "</ul>";
    }
    o += "</li>\n";
  }
  o += "</ol>\n</section>\n";
}

void drawings_section(std::string& o,
                      const std::vector<page_drawing>& drawings) {
  for (const page_drawing& d : drawings) {
    section_start(o, "drawing-" + d.id, html_escape(d.heading));
    if (d.svg.empty()) {
      none(o, "Not drawn: " + html_bytes(d.problem) + ".");
    } else {
      o += "<div class=\"tools\" data-tools=\"" + d.id +
           "\"><button type=\"button\" data-do=\"in\" title=\"zoom in\">+"
           "</button><button type=\"button\" data-do=\"out\" title=\"zoom "
           "out\">&#8722;</button><button type=\"button\" data-do=\"reset\">"
           "whole</button></div>\n";
      o += d.svg;
      o += "\n<p class=\"hint\">Drag to pan; Ctrl and the mouse wheel, or "
           "the buttons, to zoom; double-click for the whole drawing.</p>\n";
    }
    o += "</section>\n";
  }
}

bool is_station(std::size_t i, const stazione& s) {
  return ruolo_voce(i, s) == "station";
}

void stations_section(std::string& o, const scenario_check& c) {
  section_start(o, "stations", "Stations and timetable");
  bool any = false;
  for (std::size_t i = 1; i <= stazione_primo_cartello; ++i) {
    any = any || is_station(i, c.s.stazioni[i]);
  }
  if (!any) {
    none(o, "No station.");
    o += "</section>\n";
    return;
  }
  table t(o, {{"entry", true},
              {"name", false},
              {"km", true},
              {"kind", true},
              {"area from", true},
              {"area to", true},
              {"time", true},
              {"text columns 4 to 13", false}});
  for (std::size_t i = 1; i <= stazione_primo_cartello; ++i) {
    const stazione& s = c.s.stazioni[i];
    if (!is_station(i, s)) continue;
    // In the order of the train text's station row.
    const std::string columns =
        num(s.opzione_1) + ", " + num(s.opzione_5) + ", " + num(s.opzione_4) +
        ", " + num(s.numero_1) + "," + num(s.numero_2) + "," +
        num(s.opzione_2) + ", " + num(s.numero_3) + "," + num(s.numero_4) +
        "," + num(s.numero_5) + ", " + num(s.opzione_3);
    t.row({num(static_cast<long long>(i)), html_latin1(s.nome),
           km(s.progressiva), num(s.categoria), num(s.inizio_area),
           num(s.fine_area), s.orario == 0 ? "&#8211;" : hms(s.orario),
           "<code>" + columns + "</code>"});
  }
  t.end();
  o += "</section>\n";
}

// The cells of `kind`, each with its index.
template <typename F>
void each_cell(const scenario_check& c, oggetto_cella kind, F&& f) {
  for (std::size_t i = 0; i < c.s.celle.size(); ++i) {
    if (c.s.celle[i].is(kind)) f(i, c.s.celle[i]);
  }
}

std::string values_title(const cella& k) {
  return "valore_1 to valore_4: " + num(k.valore_1) + ", " + num(k.valore_2) +
         ", " + num(k.valore_3) + ", " + num(k.valore_4);
}

std::string cell_km(std::size_t i) { return km(metro_della_cella(i)); }

void signals_section(std::string& o, const scenario_check& c) {
  section_start(o, "signals", "Signals");
  bool any = false;
  each_cell(c, oggetto_cella::segnale,
            [&](std::size_t, const cella&) { any = true; });
  if (!any) {
    none(o, "No signal.");
    o += "</section>\n";
    return;
  }
  o += "<p class=\"hint\">As the train text's signal row: each side's code "
       "and three values, rapp and tempo, read back from the cell.</p>\n";
  table t(o, {{"km", true},
              {"cell", true},
              {"sx", true},
              {"s1 s2 s3", false},
              {"dx", true},
              {"d1 d2 d3", false},
              {"rapp", true},
              {"tempo", true}});
  each_cell(c, oggetto_cella::segnale, [&](std::size_t i, const cella& k) {
    // valore_1 to 3 hold s * 10 + d, valore_4 rapp * 10 + sx * 3 + dx.
    const int codes = k.valore_4 % 10;
    t.row({cell_km(i), num(static_cast<long long>(i)), num(codes / 3),
           num(k.valore_1 / 10) + " " + num(k.valore_2 / 10) + " " +
               num(k.valore_3 / 10),
           num(codes % 3),
           num(k.valore_1 % 10) + " " + num(k.valore_2 % 10) + " " +
               num(k.valore_3 % 10),
           num(k.valore_4 / 10), num(k.tempo_segnale)},
          values_title(k));
  });
  t.end();
  o += "</section>\n";
}

void slowdowns_section(std::string& o, const scenario_check& c) {
  section_start(o, "slowdowns", "Slowdowns and speed points");
  const std::vector<cella>& celle = c.s.celle;
  bool any = false;
  each_cell(c, oggetto_cella::inizio_rallentamento,
            [&](std::size_t, const cella&) { any = true; });
  if (!any) {
    none(o, "No slowdown.");
  } else {
    table t(o, {{"from km", true},
                {"to km", true},
                {"speed", true},
                {"warning at km", true},
                {"approach cells", false},
                {"f_tt", true},
                {"d_v", true}});
    each_cell(c, oggetto_cella::inizio_rallentamento,
              [&](std::size_t i, const cella& k) {
                std::string fine = "&#8211;";
                for (std::size_t e = i + 1; e < celle.size(); ++e) {
                  if (celle[e].is(oggetto_cella::fine_rallentamento)) {
                    fine = cell_km(e);
                    break;
                  }
                  if (celle[e].is(oggetto_cella::inizio_rallentamento)) break;
                }
                // The warning stands 1200 m (24 cells) before the start.
                std::string avviso = "none";
                std::string preavviso = "no";
                if (i >= 24 &&
                    celle[i - 24].is(oggetto_cella::avviso_rallentamento)) {
                  avviso = cell_km(i - 24);
                  if (i >= 25 && celle[i - 25].is(
                                     oggetto_cella::preavviso_rallentamento)) {
                    preavviso = "yes";
                  }
                }
                t.row({cell_km(i), fine, num(k.valore_1) + " km/h", avviso,
                       preavviso, num(k.valore_3), num(k.valore_2)},
                      values_title(k));
              });
  }
  bool points = false;
  for (const cella& k : celle) {
    points = points || k.is(oggetto_cella::abbattimento) ||
             k.is(oggetto_cella::abbattimento_senza_velocita);
  }
  if (!points) {
    none(o, "No speed point.");
  } else {
    o += "<p class=\"hint\">Speed points, from the train text's "
         "abbattimento rows and those the consistency pass adds.</p>\n";
    table t(o, {{"km", true}, {"cell", true}, {"speed", true}});
    for (std::size_t i = 0; i < celle.size(); ++i) {
      if (celle[i].is(oggetto_cella::abbattimento)) {
        t.row({cell_km(i), num(static_cast<long long>(i)),
               num(celle[i].valore_1) + " km/h"});
      } else if (celle[i].is(oggetto_cella::abbattimento_senza_velocita)) {
        t.row({cell_km(i), num(static_cast<long long>(i)), "without speed"});
      }
    }
  }
  o += "</section>\n";
}

void boards_section(std::string& o, const scenario_check& c) {
  section_start(o, "boards", "Maximum-speed boards");
  bool any = false;
  each_cell(c, oggetto_cella::indicatore_v_max,
            [&](std::size_t, const cella&) { any = true; });
  if (!any) {
    none(o, "No maximum-speed board.");
    o += "</section>\n";
    return;
  }
  o += "<p class=\"hint\">Speeds a, b, c of each side in km/h, read back "
       "from the cell's values (side d / 5 + side s &#215; 20).</p>\n";
  table t(o, {{"km", true},
              {"cell", true},
              {"side s: a b c", false},
              {"stripes s", true},
              {"side d: a b c", false},
              {"stripes d", true}});
  each_cell(c, oggetto_cella::indicatore_v_max,
            [&](std::size_t i, const cella& k) {
              auto side_s = [](std::int16_t v) { return num(v / 20); };
              auto side_d = [](std::int16_t v) { return num(v % 20 * 5); };
              t.row({cell_km(i), num(static_cast<long long>(i)),
                     side_s(k.valore_1) + " " + side_s(k.valore_2) + " " +
                         side_s(k.valore_3),
                     num(k.valore_4 / 10),
                     side_d(k.valore_1) + " " + side_d(k.valore_2) + " " +
                         side_d(k.valore_3),
                     num(k.valore_4 % 10)},
                    values_title(k));
            });
  t.end();
  o += "</section>\n";
}

void indications_section(std::string& o, const scenario_check& c) {
  section_start(o, "indications", "Indication boards");
  bool any = false;
  each_cell(c, oggetto_cella::cartello_indicatore,
            [&](std::size_t, const cella&) { any = true; });
  if (!any) {
    none(o, "No indication board.");
    o += "</section>\n";
    return;
  }
  table t(
      o,
      {{"km", true}, {"cell", true}, {"entry", true}, {"inscription", false}});
  each_cell(
      c, oggetto_cella::cartello_indicatore,
      [&](std::size_t i, const cella& k) {
        const bool in_table = k.valore_1 > 0 && k.valore_1 < numero_stazioni;
        t.row({cell_km(i), num(static_cast<long long>(i)), num(k.valore_1),
               in_table
                   ? "<code>" +
                         html_latin1(
                             c.s.stazioni[static_cast<std::size_t>(k.valore_1)]
                                 .nome) +
                         "</code>"
                   : std::string("(no such entry)")});
      });
  t.end();
  o += "</section>\n";
}

void files_section(std::string& o, const scenario_check& c) {
  section_start(o, "files", "Compiled files");
  if (!c.outcome.sealed) {
    none(o, "None would be written: a seal guard failed.");
    o += "</section>\n";
    return;
  }
  o += "<p class=\"hint\">What <code>compatta compile</code> would write "
       "from these texts.</p>\n";
  table t(o, {{"file", false}, {"bytes", true}});
  for (const written_file& f : c.files) {
    t.row({"<code>" + html_bytes(f.path) + "</code>",
           num(static_cast<long long>(f.size))});
  }
  t.end();
  o += "</section>\n";
}

void texts_section(std::string& o, const std::vector<testo_pagina>& testi,
                   const scenario_check& c) {
  section_start(o, "texts", "Texts");
  for (const testo_pagina& t : testi) {
    // Lines a diagnostic points at stand out.
    std::vector<bool> hit(t.righe.size() + 1, false);
    for (const diagnostic& d : c.outcome.problems) {
      if (d.file == *t.path && d.line > 0 &&
          static_cast<std::size_t>(d.line) <= t.righe.size()) {
        hit[static_cast<std::size_t>(d.line)] = true;
      }
    }
    o += "<details class=\"text\" id=\"";
    o += t.prefix;
    o += "-text\"><summary>";
    o += t.label;
    o += " <code>" + html_bytes(*t.path) + "</code>, " +
         num(static_cast<long long>(t.righe.size())) + " lines</summary><pre>";
    for (std::size_t n = 1; n <= t.righe.size(); ++n) {
      const std::string id = anchor(t, static_cast<std::int32_t>(n));
      o += hit[n] ? "<span class=\"l hit\" id=\"" : "<span class=\"l\" id=\"";
      o += id + "\"><a class=\"ln\" href=\"#" + id + "\">" +
           num(static_cast<long long>(n)) + "</a>" +
           html_latin1(t.righe[n - 1]) + "</span>";
    }
    o += "</pre></details>\n";
  }
  o += "</section>\n";
}

}  // namespace

std::string report_page(const scenario_paths& p, const scenario_check& c,
                        const std::vector<page_drawing>& drawings,
                        const page_options& po) {
  const std::vector<testo_pagina> testi = {
      {"route", "Route text", &p.testo_linea, split_lines(c.testo_linea)},
      {"train", "Train text", &p.testo_treno, split_lines(c.testo_treno)},
  };
  const std::string scenario_name =
      html_latin1(p.nome_linea) + " " + html_latin1(p.numero_treno);
  std::string o;
  o.reserve(64 * 1024 + c.testo_linea.size() * 2 + c.testo_treno.size() * 2);
  o +=
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  if (po.live) {
    o += "<meta http-equiv=\"refresh\" content=\"" + num(po.refresh_seconds) +
         "\">\n";
  }
  o += "<meta name=\"viewport\" content=\"width=device-width, "
       "initial-scale=1\">\n<meta name=\"generator\" content=\"compatta ";
  o += html_escape(version);
  o += "\">\n<title>";
  o += scenario_name;
  o += ": compatta report</title>\n<style>\n";
  o += page_style;
  o += "</style>\n</head>\n<body";
  if (po.live) o += " data-live=\"yes\"";
  o += ">\n<header><h1>";
  o += scenario_name;
  o += "</h1><p>Route <b>" + html_latin1(p.nome_linea) + "</b>, train <b>" +
       html_latin1(p.numero_treno) +
       "</b>: what <code>compatta "
       "compile</code> makes of the two texts.</p>\n<nav>";
  o += "<a href=\"#diagnostics\">Diagnostics</a>";
  for (const page_drawing& d : drawings) {
    o += "<a href=\"#drawing-" + d.id + "\">" + html_escape(d.heading) + "</a>";
  }
  o += "<a href=\"#stations\">Stations</a><a href=\"#signals\">Signals</a>"
       "<a href=\"#slowdowns\">Slowdowns</a><a href=\"#boards\">Boards</a>"
       "<a href=\"#indications\">Indications</a><a href=\"#files\">Files</a>"
       "<a href=\"#texts\">Texts</a></nav></header>\n<main>\n";
  if (po.live) {
    o += "<p class=\"status live\" id=\"live\">Checked at " +
         html_escape(po.checked_at) +
         " by <code>compatta watch</code>; this page reloads itself while "
         "watch runs.</p>\n";
  }
  status_line(o, c);
  section_start(o, "scenario", "Scenario");
  header_facts(o, p, c);
  o += "</section>\n";
  diagnostics_section(o, c, testi);
  drawings_section(o, drawings);
  stations_section(o, c);
  signals_section(o, c);
  slowdowns_section(o, c);
  boards_section(o, c);
  indications_section(o, c);
  files_section(o, c);
  texts_section(o, testi, c);
  o += "</main>\n<footer>compatta ";
  o += html_escape(version);
  o += "</footer>\n<script>\n";
  o += page_script;
  o += "</script>\n</body>\n</html>\n";
  return o;
}

}  // namespace compattatore::tool
