// The plan-view track line: x and y for every metre, each element empty, a
// 16-bit integer or a double, as the route-wide compiled file keeps them;
// and the same line as it is drawn, its points computed only when needed.
#ifndef MODEL_TRACCIATO_H_
#define MODEL_TRACCIATO_H_

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/huge_pages.h"

namespace compattatore {

/// Kind of a track element. Numbered as the compiled file's tags: never
/// renumber.
enum class tipo_elemento : std::uint16_t { vuoto = 0, intero = 2, reale = 5 };

/// Two rows (0 = x, 1 = y) of elements over metres 0 to `ultimo_metro()`.
/// Values are kept as doubles beside one kind byte per element: an integer
/// element holds a 16-bit value exactly.
class tracciato_linea {
 public:
  /// Makes metres 0 to `ultimo` (inclusive), every element empty.
  /// REQUIRES: ultimo >= 0.
  void make(std::int32_t ultimo) {
    assert(ultimo >= 0 && "track line needs at least one metre");
    const auto n = 2 * (static_cast<std::size_t>(ultimo) + 1);
    valori_.assign(n, 0.0);
    tipi_.assign(n, tipo_elemento::vuoto);
  }
  void clear() {
    valori_.clear();
    tipi_.clear();
  }
  bool empty() const { return tipi_.empty(); }
  /// Number of metres (elements per row).
  std::size_t metri() const { return tipi_.size() / 2; }

  tipo_elemento tipo(std::size_t metro, int asse) const {
    return tipi_[indice(metro, asse)];
  }
  double valore(std::size_t metro, int asse) const {
    return valori_[indice(metro, asse)];
  }
  void set_intero(std::size_t metro, int asse, std::int16_t v) {
    valori_[indice(metro, asse)] = v;
    tipi_[indice(metro, asse)] = tipo_elemento::intero;
  }
  void set_reale(std::size_t metro, int asse, double v) {
    valori_[indice(metro, asse)] = v;
    tipi_[indice(metro, asse)] = tipo_elemento::reale;
  }

  /// Row `asse` (0 = x, 1 = y) whole, metre 0 first: kinds and values.
  std::span<const tipo_elemento> tipi(int asse) const {
    return std::span(tipi_).subspan(indice(0, asse), metri());
  }
  std::span<const double> valori(int asse) const {
    return std::span(valori_).subspan(indice(0, asse), metri());
  }

  friend bool operator==(const tracciato_linea&,
                         const tracciato_linea&) = default;

 private:
  std::size_t indice(std::size_t metro, int asse) const {
    assert(metro < metri() && (asse == 0 || asse == 1));
    return static_cast<std::size_t>(asse) * metri() + metro;
  }

  std::vector<double, huge_page_allocator<double>> valori_;
  std::vector<tipo_elemento, huge_page_allocator<tipo_elemento>> tipi_;
};

/// A point of the line, in metres.
struct punto_tracciato {
  double x = 0;
  double y = 0;
};

/// The point after `p1`: the step from `p0` to `p1` again, turned by `k`.
/// The order of these operations is part of the result: the compiled file
/// carries the doubles bit for bit (no contraction into fused operations).
inline punto_tracciato passo_tracciato(punto_tracciato p0, punto_tracciato p1,
                                       double k) {
  const double dx = p1.x - p0.x;
  const double dy = p1.y - p0.y;
  double x = p1.x + dx;
  double y = p1.y + dy;
  // On straight track k * dy and k * dx are zeros (the line's values stay
  // finite), and adding or taking a zero changes no sum but a zero one,
  // whose sign it may flip: skipping them there keeps every bit and
  // shortens the chain from one metre to the next, which bounds the speed
  // of the whole line.
  if (k != 0.0 || x == 0.0) x = x + k * dy;
  if (k != 0.0 || y == 0.0) y = y - k * dx;
  return {x, y};
}

/// The track line as it is drawn: its metres, whether it is seeded, and
/// the turn of every metre drawn since, as runs of one turn. The points
/// follow from these by `passo_tracciato`, metre after metre, and are
/// computed where they are used (`cammino_tracciato`): the route-wide file
/// takes them piece by piece as it is written. Holding the points of a long
/// route instead took 18 MB, and making, filling and reading that again
/// cost more than writing the file.
class disegno_tracciato {
 public:
  /// Metres from the previous run's end (or from metre 2) up to `fine`,
  /// excluded, each drawn with the turn `k`.
  struct tratto {
    std::int32_t fine = 0;
    double k = 0;
    friend bool operator==(const tratto&, const tratto&) = default;
  };

  /// Makes metres 0 to `ultimo` (inclusive), every element empty.
  /// REQUIRES: ultimo >= 0.
  void make(std::int32_t ultimo) {
    assert(ultimo >= 0 && "track line needs at least one metre");
    metri_ = static_cast<std::size_t>(ultimo) + 1;
    seminato_ = false;
    tratti_.clear();
  }
  void clear() {
    metri_ = 0;
    seminato_ = false;
    tratti_.clear();
  }
  bool empty() const { return metri_ == 0; }
  /// Number of metres (elements per row).
  std::size_t metri() const { return metri_; }

  /// Metres 0 and 1 as the 16-bit integers (0, 0) and (0, 1); nothing
  /// drawn after them. REQUIRES: at least two metres.
  void seed() {
    assert(metri_ >= 2 && "the seed needs metres 0 and 1");
    seminato_ = true;
    tratti_.clear();
  }
  bool seminato() const { return seminato_; }
  /// The next metre to draw, 2 right after the seed; 0 before it.
  std::int32_t prossimo() const {
    if (!seminato_) return 0;
    return tratti_.empty() ? 2 : tratti_.back().fine;
  }
  /// Draws the metres from `prossimo()` up to `fine`, excluded, with the
  /// turn `k`. REQUIRES: seeded, fine <= metri().
  void disegna(std::int32_t fine, double k) {
    assert(seminato_ && static_cast<std::size_t>(fine) <= metri_);
    if (fine <= prossimo()) return;
    // Runs are joined only when their turns are the same bits: a zero of
    // the other sign is another turn.
    if (!tratti_.empty() && std::bit_cast<std::uint64_t>(tratti_.back().k) ==
                                std::bit_cast<std::uint64_t>(k)) {
      tratti_.back().fine = fine;
    } else {
      tratti_.push_back({fine, k});
    }
  }
  std::span<const tratto> tratti() const { return tratti_; }

  /// Kind of the element of `metro` (either axis: both rows have the same
  /// kinds).
  tipo_elemento tipo(std::size_t metro) const {
    assert(metro < metri_);
    if (!seminato_) return tipo_elemento::vuoto;
    if (metro < 2) return tipo_elemento::intero;
    return metro < static_cast<std::size_t>(prossimo()) ? tipo_elemento::reale
                                                        : tipo_elemento::vuoto;
  }

  /// Every point computed, as the elements of the compiled file.
  tracciato_linea punti() const;

  friend bool operator==(const disegno_tracciato&,
                         const disegno_tracciato&) = default;

 private:
  std::size_t metri_ = 0;
  bool seminato_ = false;
  std::vector<tratto> tratti_;
};

/// Computes the points of a seeded drawing in metre order, a stretch at a
/// time, from metre 0.
class cammino_tracciato {
 public:
  explicit cammino_tracciato(const disegno_tracciato& d) : d_(d) {}

  /// The metre whose point comes next.
  std::size_t metro() const { return metro_; }
  /// Points of the next `x.size()` metres into `x` and `y`.
  /// REQUIRES: x.size() == y.size(); none, or the drawing is seeded and
  /// metro() + x.size() <= d.prossimo().
  void avanti(std::span<double> x, std::span<double> y);
  /// The points of the next `n` metres handed to `punto(x, y)` in order,
  /// for a caller that stores them its own way without a row of doubles
  /// in between. REQUIRES: none, or the drawing is seeded and
  /// metro() + n <= d.prossimo().
  template <typename F>
  void avanti(std::size_t n, F&& punto);

 private:
  const disegno_tracciato& d_;
  std::size_t metro_ = 0;
  std::size_t tratto_ = 0;  // the run of `metro_`
  punto_tracciato p0_{0, 0};
  punto_tracciato p1_{0, 1};
};

template <typename F>
void cammino_tracciato::avanti(std::size_t n, F&& punto) {
  assert((n == 0 || (d_.seminato() &&
                     metro_ + n <= static_cast<std::size_t>(d_.prossimo()))) &&
         "only drawn metres have points");
  const std::size_t fine_passo = metro_ + n;
  // Metres 0 and 1 are the seed, which the first step continues.
  for (; metro_ < fine_passo && metro_ < 2; ++metro_) {
    const punto_tracciato p = metro_ == 0 ? p0_ : p1_;
    punto(p.x, p.y);
  }
  const std::span<const disegno_tracciato::tratto> tratti = d_.tratti();
  punto_tracciato p0 = p0_;
  punto_tracciato p1 = p1_;
  while (metro_ < fine_passo) {
    const disegno_tracciato::tratto& t = tratti[tratto_];
    const std::size_t fine =
        std::min(static_cast<std::size_t>(t.fine), fine_passo);
    const double k = t.k;
    // Two loops, so that on straight track the turn's products drop out
    // of the loop (`passo_tracciato` skips them there).
    if (k == 0.0) {
      for (; metro_ < fine; ++metro_) {
        const punto_tracciato p = passo_tracciato(p0, p1, 0.0);
        punto(p.x, p.y);
        p0 = p1;
        p1 = p;
      }
    } else {
      for (; metro_ < fine; ++metro_) {
        const punto_tracciato p = passo_tracciato(p0, p1, k);
        punto(p.x, p.y);
        p0 = p1;
        p1 = p;
      }
    }
    if (metro_ == static_cast<std::size_t>(t.fine)) ++tratto_;
  }
  p0_ = p0;
  p1_ = p1;
}

}  // namespace compattatore

#endif  // MODEL_TRACCIATO_H_
