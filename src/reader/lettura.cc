#include "reader/lettura.h"

#include <limits>

#include "model/arrotonda.h"

namespace compattatore {

std::int32_t indice_cella(double x) {
  const auto c = nearest_as<std::int32_t>(x);
  if (!c) throw read_failure("cell index beyond 32 bits");
  return *c;
}

std::int32_t somma_32(std::int64_t a, std::int64_t b) {
  const std::int64_t r = a + b;
  if (r < std::numeric_limits<std::int32_t>::min() ||
      r > std::numeric_limits<std::int32_t>::max()) {
    throw read_failure("arithmetic overflow");
  }
  return static_cast<std::int32_t>(r);
}

bool entro_celle(const scenario& s, std::int32_t p, std::int32_t margine) {
  const double q = metri_in_celle(somma_32(p, margine));
  return q <= static_cast<double>(s.numero_celle);
}

}  // namespace compattatore
