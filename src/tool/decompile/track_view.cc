#include "tool/decompile/track_view.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "compact/le_encoding.h"
#include "compact/track_file.h"

namespace compattatore::tool {
namespace {

constexpr std::size_t byte_tag = 2;
constexpr std::size_t byte_intero = byte_tag + 2;
constexpr std::size_t byte_reale = byte_tag + 8;
constexpr std::size_t metri_interi = 2;

}  // namespace

vista_tracciato::mappa::~mappa() {
  if (byte != nullptr && size > 0) {
    ::munmap(const_cast<unsigned char*>(byte), size);
  }
}

vista_tracciato::vista_tracciato(tracciato_linea linea)
    : metri_(linea.metri()), decodificata_(std::move(linea)) {}
vista_tracciato::~vista_tracciato() = default;
vista_tracciato::vista_tracciato(vista_tracciato&&) noexcept = default;
vista_tracciato& vista_tracciato::operator=(vista_tracciato&&) noexcept =
    default;

bool vista_tracciato::apri(const std::string& path, std::size_t max_bytes,
                           std::string* err) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *err = path + ": cannot open: " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    *err = path + ": cannot read: " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size > max_bytes) {
    *err = path + ": cannot read: larger than " + std::to_string(max_bytes) +
           " bytes";
    ::close(fd);
    return false;
  }
  auto m = std::make_unique<mappa>();
  m->size = size;
  if (size > 0) {
    void* p =
        ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (p == MAP_FAILED) {
      *err = path + ": cannot read: " + std::strerror(errno);
      ::close(fd);
      return false;
    }
    m->byte = static_cast<const unsigned char*>(p);
  }
  ::close(fd);
  const unsigned char* b = m->byte;

  // The compile's layout, checked tag by tag in both rows at once.
  const std::size_t meta = size / 2;
  auto tag = [&](std::size_t at) { return get_u16(b + at); };
  bool canonica = size % 2 == 0 && meta >= metri_interi * byte_intero;
  std::size_t at = 0;
  std::size_t metri = 0;
  std::size_t reali = metri_interi;
  for (; canonica && metri < metri_interi; ++metri, at += byte_intero) {
    canonica = tag(at) == static_cast<std::uint16_t>(tipo_elemento::intero) &&
               tag(meta + at) == tag(at);
  }
  const auto reale = static_cast<std::uint16_t>(tipo_elemento::reale);
  const auto vuoto = static_cast<std::uint16_t>(tipo_elemento::vuoto);
  while (canonica && at + byte_reale <= meta && tag(at) == reale) {
    canonica = tag(meta + at) == reale;
    at += byte_reale;
    ++metri;
    ++reali;
  }
  while (canonica && at < meta) {
    canonica =
        at + byte_tag <= meta && tag(at) == vuoto && tag(meta + at) == vuoto;
    at += byte_tag;
    ++metri;
  }
  if (size == 0 || canonica) {
    metri_ = size == 0 ? 0 : metri;
    reali_ = reali;
    mappa_ = std::move(m);
    return true;
  }
  // Anything else the decoder reads, or tells why not.
  tracciato_linea linea;
  const std::string_view bytes(reinterpret_cast<const char*>(b), size);
  if (const decode_result r = decode_track(bytes, &linea)) {
    *err = r->message;
    return false;
  }
  metri_ = linea.metri();
  decodificata_ = std::move(linea);
  return true;
}

tipo_elemento vista_tracciato::tipo(std::size_t metro, int asse) const {
  if (!mappa_) return decodificata_.tipo(metro, asse);
  if (metro < metri_interi) return tipo_elemento::intero;
  return metro < reali_ ? tipo_elemento::reale : tipo_elemento::vuoto;
}

double vista_tracciato::valore(std::size_t metro, int asse) const {
  if (!mappa_) return decodificata_.valore(metro, asse);
  const unsigned char* riga = mappa_->byte + (asse == 0 ? 0 : mappa_->size / 2);
  if (metro < metri_interi) {
    return get_i16(riga + metro * byte_intero + byte_tag);
  }
  if (metro < reali_) {
    return get_f64(riga + metri_interi * byte_intero +
                   (metro - metri_interi) * byte_reale + byte_tag);
  }
  return 0.0;
}

}  // namespace compattatore::tool
