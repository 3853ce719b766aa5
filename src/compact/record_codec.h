// The pieces the record files share: a record written and read by walking
// its field table, and a cursor that reads fields front to back.
#ifndef COMPACT_RECORD_CODEC_H_
#define COMPACT_RECORD_CODEC_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "compact/le_encoding.h"
#include "model/record_fields.h"

namespace compattatore {

/// One field at its width, low byte first. A text is its 16-bit length and
/// its bytes.
template <typename T>
void put_field(std::string& out, const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    // The length field is 16 bits wide; a longer name is cut to what it can
    // announce, so the record stays readable.
    const std::size_t n = v.size() > 0xffffu ? 0xffffu : v.size();
    put_u16(out, static_cast<std::uint16_t>(n));
    out.append(v, 0, n);
  } else if constexpr (sizeof(T) == 1) {
    put_u8(out, v);
  } else if constexpr (sizeof(T) == 2) {
    put_i16(out, v);
  } else {
    put_i32(out, v);
  }
}

/// A fixed-width field stored at `p`, low byte first; returns the byte
/// after it. REQUIRES: p points at enough bytes.
template <typename T>
char* store_field(char* p, const T& v) {
  static_assert(std::is_integral_v<T>, "fixed-width fields only");
  if constexpr (sizeof(T) == 1) {
    *p = static_cast<char>(v);
    return p + 1;
  } else if constexpr (sizeof(T) == 2) {
    return store_u16(p, static_cast<std::uint16_t>(v));
  } else {
    return store_u32(p, static_cast<std::uint32_t>(v));
  }
}

/// Every field of `r` in the order of its table.
template <typename Record, typename Fields>
void encode_record(std::string& out, const Record& r, const Fields& fields) {
  for_each_field(fields, [&](const auto& f) { put_field(out, r.*f.member); });
}

/// Reads fields front to back. Every read is preceded by a `has` test of the
/// caller, so the get_* helpers never see fewer bytes than they take.
class cursor {
 public:
  explicit cursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t pos() const { return pos_; }
  std::size_t left() const { return bytes_.size() - pos_; }
  bool has(std::size_t n) const { return left() >= n; }
  bool done() const { return pos_ == bytes_.size(); }

  // REQUIRES: has(width of the value).
  std::uint8_t u8() { return static_cast<std::uint8_t>(bytes_[pos_++]); }
  /// A fixed-width field of type T.
  template <typename T>
  T get() {
    if constexpr (sizeof(T) == 1) {
      return u8();
    } else if constexpr (sizeof(T) == 2) {
      return i16();
    } else {
      return i32();
    }
  }
  std::uint16_t u16() { return get_u16(advance(2)); }
  std::int16_t i16() { return get_i16(advance(2)); }
  std::int32_t i32() { return get_i32(advance(4)); }
  double f64() { return get_f64(advance(8)); }
  std::string text(std::size_t n) {
    std::string s(bytes_.substr(pos_, n));
    pos_ += n;
    return s;
  }

 private:
  // The next `n` bytes; the cursor moves past them.
  const unsigned char* advance(std::size_t n) {
    const auto* p =
        reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
    pos_ += n;
    return p;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace compattatore

#endif  // COMPACT_RECORD_CODEC_H_
