#include "tool/decompile/round_trip.h"

#include <bit>
#include <cstdint>
#include <sstream>
#include <type_traits>

#include "compact/driver.h"
#include "model/fatal_report.h"
#include "model/file_names.h"
#include "model/record_fields.h"
#include "platform/file_system.h"

namespace compattatore::tool {
namespace {

// The two texts, and nothing else: the compile only reads them (it
// deletes nothing when told not to).
class soli_testi : public file_system {
 public:
  soli_testi(const std::string& pl, const std::string& l, const std::string& pt,
             const std::string& t)
      : pl_(pl), l_(l), pt_(pt), t_(t) {}
  bool exists(const std::string& path) override {
    return path == pl_ || path == pt_;
  }
  std::string read(const std::string& path, std::size_t) override {
    return std::string(testo(path));
  }
  std::string_view view(const std::string& path, std::size_t,
                        std::string&) override {
    return testo(path);
  }
  void replace(const std::string& path, std::string_view) override {
    throw file_error(path, "write", "the round trip writes nothing");
  }
  void replace_in_pieces(
      const std::string& path, std::size_t,
      const std::function<void(const byte_sink&)>&) override {
    throw file_error(path, "write", "the round trip writes nothing");
  }
  void remove(const std::string& path) override {
    throw file_error(path, "delete", "the round trip deletes nothing");
  }

 private:
  std::string_view testo(const std::string& path) const {
    if (path == pl_) return l_;
    if (path == pt_) return t_;
    throw file_error(path, "read", "no such text");
  }
  const std::string& pl_;
  const std::string& l_;
  const std::string& pt_;
  const std::string& t_;
};

class guardia : public fatal_report {
 public:
  void errore(const std::string& numero) override { numero_ = numero; }
  std::string numero_;
};

template <typename T>
std::string testo_di(const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    return "\"" + v + "\"";
  } else {
    return std::to_string(static_cast<std::int64_t>(v));
  }
}

class raccolta {
 public:
  explicit raccolta(std::size_t massimo) : massimo_(massimo) {}
  void aggiungi(differenza d) {
    ++esito_.totale;
    if (esito_.differenze.size() < massimo_) {
      esito_.differenze.push_back(std::move(d));
    }
  }
  template <typename Fields, typename Record>
  void campi(const Fields& fields, const Record& a, const Record& b,
             const std::string& file, const std::string& dove) {
    for_each_field(fields, [&](const auto& f) {
      const auto& x = a.*(f.member);
      const auto& y = b.*(f.member);
      if (x == y) return;
      aggiungi({file, dove, std::string(f.name), testo_di(x), testo_di(y)});
    });
  }
  esito_giro esito() { return std::move(esito_); }

 private:
  std::size_t massimo_;
  esito_giro esito_;
};

std::string dove_cella(std::size_t c) {
  return "metre " + std::to_string(metro_della_cella(c)) + " (cell " +
         std::to_string(c) + ")";
}

std::string punto(tipo_elemento t, double v) {
  switch (t) {
    case tipo_elemento::vuoto:
      return "empty";
    case tipo_elemento::intero:
      return std::to_string(static_cast<std::int64_t>(v));
    case tipo_elemento::reale:
      break;
  }
  std::ostringstream s;
  s.precision(17);
  s << v;
  return s.str();
}

void confronta_linea(const vista_tracciato& file, const disegno_tracciato& d,
                     raccolta& r) {
  if (file.metri() != d.metri()) {
    r.aggiungi({"track line", "the whole line", "metres",
                std::to_string(file.metri()), std::to_string(d.metri())});
    return;
  }
  const std::size_t disegnati =
      d.seminato() ? static_cast<std::size_t>(d.prossimo()) : 0;
  auto elemento = [&](std::size_t m, double x, double y) {
    const tipo_elemento t = d.tipo(m);
    for (int asse = 0; asse < 2; ++asse) {
      const double v = asse == 0 ? x : y;
      const double w = file.valore(m, asse);
      const tipo_elemento tf = file.tipo(m, asse);
      if (tf == t &&
          (t == tipo_elemento::vuoto || std::bit_cast<std::uint64_t>(v) ==
                                            std::bit_cast<std::uint64_t>(w))) {
        continue;
      }
      r.aggiungi({"track line", "metre " + std::to_string(m),
                  asse == 0 ? "x" : "y", punto(tf, w), punto(t, v)});
    }
  };
  if (disegnati > 0) {
    cammino_tracciato cammino(d);
    std::size_t m = 0;
    cammino.avanti(disegnati, [&](double x, double y) {
      // Nearly every metre is equal: its test is the loop's only work.
      if (std::bit_cast<std::uint64_t>(x) !=
              std::bit_cast<std::uint64_t>(file.valore(m, 0)) ||
          std::bit_cast<std::uint64_t>(y) !=
              std::bit_cast<std::uint64_t>(file.valore(m, 1)) ||
          file.tipo(m, 0) != d.tipo(m) || file.tipo(m, 1) != d.tipo(m)) {
        elemento(m, x, y);
      }
      ++m;
    });
  }
  for (std::size_t m = disegnati; m < d.metri(); ++m) {
    if (file.tipo(m, 0) != tipo_elemento::vuoto ||
        file.tipo(m, 1) != tipo_elemento::vuoto) {
      elemento(m, 0.0, 0.0);
    }
  }
}

}  // namespace

esito_giro confronta(const compiled_scenario& c, const std::string& nome_linea,
                     const std::string& numero_treno, const std::string& linea,
                     const std::string& treno, std::size_t massimo) {
  const file_names names{".", nome_linea, numero_treno};
  const std::string pl = names.testo_linea();
  const std::string pt = names.testo_treno();
  soli_testi fs(pl, linea, pt, treno);
  scenario s;
  s.nome_linea = nome_linea;
  s.numero_treno = numero_treno;
  guardia g;
  const bool con_tracciato = c.linea.has_value();
  raccolta r(massimo);
  if (!compatta(s, con_tracciato ? 1 : 0, fs, {pl, pt, false}, g)) {
    r.aggiungi({"seal", "cell 1 and entry 85", "guard", "passed",
                "error " + g.numero_});
    return r.esito();
  }
  for (std::size_t e = 0; e < c.stazioni.size(); ++e) {
    r.campi(station_fields, c.stazioni[e], s.stazioni[e], "station table",
            "entry " + std::to_string(e));
  }
  if (c.celle.size() != s.celle.size()) {
    r.aggiungi({"cell row", "the whole row", "cells",
                std::to_string(c.celle.size()),
                std::to_string(s.celle.size())});
  } else {
    for (std::size_t i = 0; i < c.celle.size(); ++i) {
      if (c.celle[i] == s.celle[i]) continue;
      r.campi(cell_fields, c.celle[i], s.celle[i], "cell row", dove_cella(i));
    }
  }
  if (con_tracciato) confronta_linea(*c.linea, s.tracciato, r);
  return r.esito();
}

}  // namespace compattatore::tool
