#include "tool/compilation/compaction.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string_view>

#include "compact/driver.h"
#include "model/fatal_report.h"
#include "model/problem.h"
#include "model/warnings.h"
#include "reader/memorizza_dati.h"
#include "tool/common/exit_status.h"
#include "tool/diagnostics/recorded_fault.h"

namespace compattatore::tool {
namespace {

// The seal guards' report, kept instead of ending the process: the driver
// returns at once after it, and the command decides what to print.
class kept_report : public fatal_report {
 public:
  void errore(const std::string& a) override { reported = a; }
  std::string reported;
};

const std::string& path_of(quale_testo t, const std::string& linea,
                           const std::string& treno) {
  static const std::string none;
  switch (t) {
    case quale_testo::linea:
      return linea;
    case quale_testo::treno:
      return treno;
    case quale_testo::nessuno:
      break;
  }
  return none;
}

int file_order(quale_testo t) {
  switch (t) {
    case quale_testo::linea:
      return 0;
    case quale_testo::treno:
      return 1;
    case quale_testo::nessuno:
      break;
  }
  return 2;
}

// The recovering reading's problems as the tool's list: in the order of the
// texts, each once, silenced warnings left out, warnings made errors when
// strict.
std::vector<diagnostic> list_of(const std::vector<problem>& problems,
                                const std::string& linea,
                                const std::string& treno,
                                const check_options& o) {
  std::vector<const problem*> order;
  for (const problem& p : problems) {
    // With one file as both texts, what the train part says of the route's
    // records only follows from that.
    if (o.same_file && p.code == 0 && p.place.file == quale_testo::treno &&
        p.warning != avviso::same_text) {
      continue;
    }
    if (p.code == 0 && std::find(o.silenced.begin(), o.silenced.end(),
                                 p.warning) != o.silenced.end()) {
      continue;
    }
    order.push_back(&p);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const problem* a, const problem* b) {
                     const int fa = file_order(a->place.file);
                     const int fb = file_order(b->place.file);
                     if (fa != fb) return fa < fb;
                     if (a->place.line != b->place.line) {
                       return a->place.line < b->place.line;
                     }
                     return a->place.column < b->place.column;
                   });
  std::vector<diagnostic> out;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const problem& p = *order[i];
    bool again = false;
    for (std::size_t k = 0; k < i && !again; ++k) {
      const problem& q = *order[k];
      again = q.code == p.code && q.warning == p.warning &&
              q.place.file == p.place.file && q.place.line == p.place.line &&
              q.message == p.message;
    }
    if (again) continue;
    diagnostic d;
    if (p.code != 0) {
      d.code = p.code;
    } else {
      d.name = std::string(p.warning);
      d.level = o.strict ? severity::error : severity::warning;
    }
    d.file = path_of(p.place.file, linea, treno);
    d.line = p.place.line;
    d.column = p.place.column;
    d.end_column = p.place.end_column;
    d.message = p.message;
    for (const problem_note& n : p.notes) {
      d.notes.push_back({path_of(n.place.file, linea, treno), n.place.line,
                         n.place.column, n.place.end_column, n.message});
    }
    out.push_back(std::move(d));
  }
  return out;
}

bool has_code(const std::vector<diagnostic>& list, std::int32_t code) {
  return std::any_of(list.begin(), list.end(), [code](const diagnostic& d) {
    return d.code && *d.code == code;
  });
}

}  // namespace

compaction_outcome compact_texts(scenario& s, std::int32_t j, file_system& fs,
                                 const std::string& testo_linea,
                                 const std::string& testo_treno,
                                 const check_options& options) {
  const testi_scenario testi{testo_linea, testo_treno, false};
  compaction_outcome c;
  problem_sink sink;
  if (options.same_file) {
    sink.warning(avviso::same_text, {quale_testo::treno, 0, 0, 0},
                 "the route text and the train text are the same file: the "
                 "program reads it twice, and the train is made of whatever "
                 "of it matches the train's keywords");
  }
  kept_report report;
  c.sealed = compatta(s, j, fs, testi, report, &sink);
  if (sink.has_errors() || !c.sealed) {
    // The list stays the recovering reading's; the model and the recorded
    // fault become the program's.
    const std::string nome = s.nome_linea;
    const std::string numero = s.numero_treno;
    s = scenario{};
    s.nome_linea = nome;
    s.numero_treno = numero;
    report = kept_report{};
    c.sealed = compatta(s, j, fs, testi, report);
  }
  c.problems = list_of(sink.list(), testo_linea, testo_treno, options);

  const recorded_fault d = fault_of(s, testo_linea, testo_treno);
  c.json = fault_json(d);
  if (d.codice_errore != 0 && !has_code(c.problems, d.codice_errore)) {
    // The program's fault, when the recovering reading did not meet it in
    // the same words (it read on where the program stopped).
    diagnostic e;
    e.code = d.codice_errore;
    e.file = d.file;
    e.line = d.line;
    e.column = d.column;
    e.end_column = d.column > 0 ? d.column + 1 : 0;
    e.message = d.message;
    if (d.has_position) {
      e.message += ", at " + std::to_string(d.posizione_errore) + " m";
    }
    c.problems.push_back(std::move(e));
  }
  c.json["nome_linea"] = s.nome_linea;
  c.json["numero_treno"] = s.numero_treno;

  c.status = d.codice_errore != 0 ? exit_status::data_fault : exit_status::ok;
  if (c.status == exit_status::ok &&
      std::any_of(
          c.problems.begin(), c.problems.end(),
          [](const diagnostic& x) { return x.level == severity::error; })) {
    c.status = exit_status::data_fault;
  }
  if (!c.sealed) {
    int number = 0;
    const char* end = report.reported.data() + report.reported.size();
    if (std::from_chars(report.reported.data(), end, number).ptr == end) {
      c.json["errore"] = number;
    } else {
      c.json["errore"] = report.reported;
    }
    if (!has_code(c.problems, number)) {
      diagnostic e;
      e.code = number;
      e.message =
          "the seal found the route's first 50 m already in use: "
          "the program stops with \"" +
          seal_line(report.reported) + "\" and writes no file";
      c.problems.push_back(std::move(e));
    }
    c.status = exit_status::errore;
  }
  // The lines the list quotes; most lists are empty.
  for (const std::string& path : {testo_linea, testo_treno}) {
    if (c.problems.empty()) break;
    try {
      std::string storage;
      const std::string_view testo = fs.view(path, limite_testo, storage);
      c.sources.add(path, testo.data() == storage.data() ? std::move(storage)
                                                         : std::string(testo));
    } catch (const file_error&) {
      // Reading reports it; there is just no line to show.
    }
  }
  std::ostringstream printed;
  print_diagnostics(printed, c.problems, c.sources, false);
  c.diagnostics = printed.str();
  c.json["diagnostics"] = diagnostics_json(c.problems);
  return c;
}

}  // namespace compattatore::tool
