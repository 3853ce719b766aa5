// Rounding to the nearest whole number, halves to even, and the checked
// conversions from double and 32-bit sources into narrower fields.
#ifndef MODEL_ARROTONDA_H_
#define MODEL_ARROTONDA_H_

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace compattatore {

/// x rounded to the nearest whole number, halves to the even neighbour
/// (nearest(2.5) = 2, nearest(3.5) = 4). Independent of the FP rounding mode.
inline double nearest(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1.0;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

/// nearest(x) as T when it fits T, else nothing (an overflow).
template <typename T>
std::optional<T> nearest_as(double x) {
  const double r = nearest(x);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max()))) {
    return std::nullopt;
  }
  return static_cast<T>(r);
}

/// Low 16 bits of a 32-bit value, as a signed 16-bit field keeps it.
inline std::int16_t low16(std::int32_t v) {
  return static_cast<std::int16_t>(v);
}
/// Low 8 bits of a 32-bit value, as an unsigned 8-bit field keeps it.
inline std::uint8_t low8(std::int32_t v) {
  return static_cast<std::uint8_t>(v);
}

}  // namespace compattatore

#endif  // MODEL_ARROTONDA_H_
