#include "compact/consistency_pass.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/codici_errore.h"
#include "model/guasto.h"
#include "model/problem.h"

namespace compattatore {
namespace {

/// Slowdowns below this speed get points inside them, km/h.
constexpr std::int16_t velocita_lenta = 110;
/// Cells between two interior points (400 m).
constexpr int celle_tra_punti = 8;
/// Cells looked back from a warning for signals.
constexpr int ricerca_avviso = 20;
/// Signals below this cell are not looked at: d - 2 must stay above cell 0.
constexpr int primo_segnale = 3;
/// Cells after a slowdown end searched for the next signal (ends included).
constexpr int ricerca_dopo_fine = 12;

/// Distances before a slowdown start, nearest first, of the three windows;
/// a window is used only when the start lies beyond its farthest cell.
constexpr std::array<std::array<int, 3>, 3> finestre = {{
    {5, 6, 7},
    {11, 12, 13},
    {18, 19, 20},
}};

// The cell row seen with bounds: a look outside it finds a cell that is
// neither free nor of any kind, so no rule ever places or reads there.
class riga_celle {
 public:
  riga_celle(scenario& s, problem_sink* sink)
      : s_(s), sink_(sink), ultima_(static_cast<int>(s.celle.size()) - 1) {}

  /// Upper index U; -1 for an empty row.
  int ultima() const { return ultima_; }

  bool dentro(int c) const { return c >= 0 && c <= ultima_; }
  bool libera(int c) const { return dentro(c) && at(c).libera(); }
  bool is(int c, oggetto_cella kind) const {
    return dentro(c) && at(c).is(kind);
  }
  cella& at(int c) { return s_.celle[static_cast<std::size_t>(c)]; }
  const cella& at(int c) const { return s_.celle[static_cast<std::size_t>(c)]; }

  /// A point of 180 km/h; a montagna marker in the cell is overwritten.
  /// `per`: the cell of the object it is placed for.
  void poni_punto(int c, int per) {
    cella& cl = at(c);
    cl.set(oggetto_cella::abbattimento);
    cl.valore_1 = velocita_abbattimento;
    if (sink_ == nullptr) return;
    const record_origin* o = sink_->origin(per);
    if (o == nullptr) return;
    sink_->mark(
        c, sink_->add_record({o->place, "the 180 km/h speed point placed for ",
                              0, sink_->record_of(per)}));
  }

  /// Lowers an existing point to 180 km/h, never raises it.
  void limita_punto(int c) {
    cella& cl = at(c);
    const std::int16_t x = velocita_abbattimento;
    cl.valore_1 = static_cast<std::int16_t>(minimo(x, cl.valore_1));
  }

  /// Overwrites any earlier fault, including where a reader stopped (this
  /// fault is in no text); the pass goes on.
  // The pass works on cells, not on text: the fault has no place in one.
  /// Recovering, the fault is also reported at the record of the object
  /// in cell `di`, saying `message` and naming what holds `celle`.
  void guasto(std::int32_t code, int c, int di, const std::string& message,
              std::initializer_list<int> celle) {
    registra(s_, {code, static_cast<std::int32_t>(c) * passo_cella,
                  punto_lettura{}});
    if (sink_ == nullptr) return;
    const record_origin* o = sink_->origin(di);
    text_place place;
    std::string text = message;
    if (o != nullptr) {
      place = o->place;
      const std::size_t at = text.find("%");
      if (at != std::string::npos) text.replace(at, 1, sink_->what(*o));
    }
    std::vector<problem_note> notes;
    std::string held;
    std::vector<std::int32_t> seen;
    for (int k : celle) {
      if (!dentro(k)) continue;
      const std::string what = describe_cell(at(k));
      if (held.find(what) == std::string::npos) {
        if (!held.empty()) held += " and ";
        held += what;
      }
      const std::int32_t r = sink_->record_of(k);
      if (r < 0 || std::find(seen.begin(), seen.end(), r) != seen.end()) {
        continue;
      }
      seen.push_back(r);
      const record_origin& occ = sink_->record(r);
      notes.push_back({occ.place, "taken by " + sink_->what(occ) + " here"});
    }
    if (!held.empty()) text += ": that stretch of track already holds " + held;
    sink_->error(code, place, std::move(text), std::move(notes));
  }
  const record_origin* origin(int c) const {
    return sink_ ? sink_->origin(c) : nullptr;
  }
  std::string what(const record_origin& o) const { return sink_->what(o); }
  bool recovering() const { return sink_ != nullptr; }

 private:
  scenario& s_;
  problem_sink* sink_;
  int ultima_;
};

// Every signal up to 20 cells before the warning at i gets a point in one
// of the two cells before it, or an existing point there is capped.
void segnali_prima_di_avviso(riga_celle& r, int i) {
  for (int k = 1; k <= ricerca_avviso; ++k) {
    const int d = i - k;
    if (d < primo_segnale) return;
    if (!r.is(d, oggetto_cella::segnale)) continue;
    if (r.libera(d - 1)) {
      r.poni_punto(d - 1, d);
    } else if (r.libera(d - 2)) {
      r.poni_punto(d - 2, d);
    } else if (r.is(d - 1, oggetto_cella::abbattimento)) {
      r.limita_punto(d - 1);
    } else if (r.is(d - 2, oggetto_cella::abbattimento)) {
      r.limita_punto(d - 2);
    } else {
      std::string warning = "a slowdown's warning";
      if (const record_origin* o = r.origin(i)) {
        warning = "the warning of " + r.what(*o);
      }
      r.guasto(codice::passo_segnale_avviso, d, d,
               "no room for the 180 km/h speed point in the 100 m before %, "
               "which stands within 1000 m before " +
                   warning,
               {d - 1, d - 2});
    }
  }
}

// B1 to B3: one point in each window before the start at i that lies wholly
// above cell 0.
void finestre_prima_di_inizio(riga_celle& r, int i) {
  for (const auto& finestra : finestre) {
    if (i <= finestra.back()) continue;
    bool posto = false;
    for (int distanza : finestra) {
      if (r.libera(i - distanza)) {
        r.poni_punto(i - distanza, i);
        posto = true;
        break;
      }
    }
    if (!posto) {
      r.guasto(codice::passo_finestra, i, i,
               "no room for the 180 km/h speed point " +
                   std::to_string(finestra.front() * passo_cella) + " to " +
                   std::to_string(finestra.back() * passo_cella) +
                   " m before the start of %",
               {i - finestra[0], i - finestra[1], i - finestra[2]});
    }
  }
}

// B4: walks from the start at i to its end, one point every 8 cells, the
// count restarting from the cell actually used. Returns the end's index, or
// -1 when the row ends first; then fault 13 stands at the last cell, since
// a slowdown without an end leaves the rest of the line unprotected.
int punti_interni(riga_celle& r, int i) {
  int n = 0;
  int w = i;
  for (;;) {
    ++w;
    ++n;
    if (n == celle_tra_punti) {
      if (r.libera(w)) {
        r.poni_punto(w, i);
        n = 0;
      } else if (r.libera(w - 1)) {
        r.poni_punto(w - 1, i);
        n = 1;
      } else if (r.libera(w + 1)) {
        r.poni_punto(w + 1, i);
        n = -1;
      } else {
        // n runs past 8 and no further interior point is placed.
        r.guasto(codice::passo_interno, w, i,
                 "no room for a 180 km/h speed point inside %, about " +
                     std::to_string((w - i) * passo_cella) +
                     " m after its start (slowdowns below 110 km/h get one "
                     "every 400 m)",
                 {w - 1, w, w + 1});
      }
    }
    if (r.is(w, oggetto_cella::fine_rallentamento)) return w;
    if (w >= r.ultima()) {
      r.guasto(codice::passo_interno, r.ultima(), i,
               "% has no end before the end of the track", {});
      return -1;
    }
  }
}

// The end of a fast slowdown, which gets no interior points: the first end
// after i, or -1 when the row has none.
int fine_di(const riga_celle& r, int i) {
  for (int w = i + 1; w <= r.ultima(); ++w) {
    if (r.is(w, oggetto_cella::fine_rallentamento)) return w;
  }
  return -1;
}

// B5: the first signal within 12 cells after the end at w gets a point in
// one of the two cells before it.
void segnale_dopo_fine(riga_celle& r, int w, int inizio) {
  for (int s = w; s <= w + ricerca_dopo_fine; ++s) {
    if (!r.is(s, oggetto_cella::segnale)) continue;
    const int t = s - 1;
    if (r.libera(t)) {
      r.poni_punto(t, s);
    } else if (r.libera(t - 1)) {
      r.poni_punto(t - 1, s);
    } else {
      std::string signal = "the first signal after its end";
      if (const record_origin* o = r.origin(s)) {
        signal = r.what(*o) + ", the first signal after its end";
      }
      r.guasto(codice::passo_interno, w, inizio,
               "no room for the 180 km/h speed point in the 100 m before " +
                   signal + " (for %)",
               {t, t - 1});
    }
    return;
  }
}

void rallentamento(riga_celle& r, int i) {
  finestre_prima_di_inizio(r, i);
  // A driver leaving any slowdown, fast or slow, meets the next signal
  // with a cap before it: a fast slowdown, which B4 does not walk, still
  // has B5 run from its own end.
  const int fine =
      r.at(i).valore_1 < velocita_lenta ? punti_interni(r, i) : fine_di(r, i);
  if (fine >= 0) segnale_dopo_fine(r, fine, i);
}

}  // namespace

void passo_consistenza(scenario& s, problem_sink* sink) {
  riga_celle r(s, sink);
  for (int i = 1; i <= r.ultima() - 2; ++i) {
    if (r.is(i, oggetto_cella::avviso_rallentamento)) {
      segnali_prima_di_avviso(r, i);
    }
    if (r.is(i, oggetto_cella::inizio_rallentamento)) rallentamento(r, i);
  }
}

}  // namespace compattatore
