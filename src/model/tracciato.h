// The plan-view track line: x and y for every metre, each element empty, a
// 16-bit integer or a double, as the route-wide compiled file keeps them.
#ifndef MODEL_TRACCIATO_H_
#define MODEL_TRACCIATO_H_

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

}  // namespace compattatore

#endif  // MODEL_TRACCIATO_H_
