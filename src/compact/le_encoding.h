// Little-endian append functions over a byte buffer: the only way bytes of
// a compiled file are made, so they never depend on the host.
#ifndef COMPACT_LE_ENCODING_H_
#define COMPACT_LE_ENCODING_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace compattatore {

inline void put_u8(std::string& out, std::uint8_t v) {
  out.push_back(static_cast<char>(v));
}
inline void put_u16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xffu));
  out.push_back(static_cast<char>(v >> 8));
}
inline void put_i16(std::string& out, std::int16_t v) {
  put_u16(out, static_cast<std::uint16_t>(v));
}
inline void put_u32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((v >> shift) & 0xffu));
  }
}
inline void put_i32(std::string& out, std::int32_t v) {
  put_u32(out, static_cast<std::uint32_t>(v));
}
inline void put_u64(std::string& out, std::uint64_t v) {
  for (int shift = 0; shift < 64; shift += 8) {
    out.push_back(static_cast<char>((v >> shift) & 0xffu));
  }
}
inline void put_f64(std::string& out, double v) {
  put_u64(out, std::bit_cast<std::uint64_t>(v));
}

// The same encodings stored at `p` in a buffer already sized for them, for
// the large files; each returns the byte after the ones stored. On a
// little-endian host the value's bytes are already in file order and go in
// one store; elsewhere byte by byte with shifts like the appenders. (In a
// loop the compiler turned the shifts into slow vector shuffles instead of
// merging them.)
// REQUIRES: p points at enough bytes.
inline char* store_u16(char* p, std::uint16_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    p[0] = static_cast<char>(v & 0xffu);
    p[1] = static_cast<char>(v >> 8);
  }
  return p + 2;
}
inline char* store_i16(char* p, std::int16_t v) {
  return store_u16(p, static_cast<std::uint16_t>(v));
}
inline char* store_u32(char* p, std::uint32_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    for (int i = 0; i < 4; ++i) {
      p[i] = static_cast<char>((v >> (8 * i)) & 0xffu);
    }
  }
  return p + 4;
}
inline char* store_u64(char* p, std::uint64_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    for (int i = 0; i < 8; ++i) {
      p[i] = static_cast<char>((v >> (8 * i)) & 0xffu);
    }
  }
  return p + 8;
}
inline char* store_f64(char* p, double v) {
  return store_u64(p, std::bit_cast<std::uint64_t>(v));
}

// Readers of the same encodings, for tools that decode compiled files.
// REQUIRES: p points at enough bytes.
inline std::uint16_t get_u16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t get_i16(const unsigned char* p) {
  return static_cast<std::int16_t>(get_u16(p));
}
inline std::uint32_t get_u32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) |
         (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t get_i32(const unsigned char* p) {
  return static_cast<std::int32_t>(get_u32(p));
}
inline std::uint64_t get_u64(const unsigned char* p) {
  return static_cast<std::uint64_t>(get_u32(p)) |
         (static_cast<std::uint64_t>(get_u32(p + 4)) << 32);
}
inline double get_f64(const unsigned char* p) {
  return std::bit_cast<double>(get_u64(p));
}

}  // namespace compattatore

#endif  // COMPACT_LE_ENCODING_H_
