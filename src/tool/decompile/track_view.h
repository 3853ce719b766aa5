// A route-wide file read where it lies: mapped, and each element read from
// its bytes when asked. The line of a long route is some 20 MB; reading it
// into memory, and decoding it into a line of doubles beside that, cost
// more than the whole compile that made it.
#ifndef TOOL_DECOMPILE_TRACK_VIEW_H_
#define TOOL_DECOMPILE_TRACK_VIEW_H_

#include <cstddef>
#include <memory>
#include <string>

#include "model/tracciato.h"

namespace compattatore::tool {

class vista_tracciato {
 public:
  vista_tracciato() = default;
  /// A line already decoded (held here).
  explicit vista_tracciato(tracciato_linea linea);
  ~vista_tracciato();
  vista_tracciato(vista_tracciato&&) noexcept;
  vista_tracciato& operator=(vista_tracciato&&) noexcept;

  /// Maps the file at `path`. False, with the reason in `*err`, when it
  /// cannot be read or is no track line file (an unknown tag, a value cut
  /// short, rows of two lengths).
  [[nodiscard]] bool apri(const std::string& path, std::size_t max_bytes,
                          std::string* err);

  bool empty() const { return metri_ == 0; }
  std::size_t metri() const { return metri_; }
  tipo_elemento tipo(std::size_t metro, int asse) const;
  double valore(std::size_t metro, int asse) const;

 private:
  /// The mapped bytes; unmapped with it.
  struct mappa {
    const unsigned char* byte = nullptr;
    std::size_t size = 0;
    ~mappa();
  };
  std::size_t metri_ = 0;
  // The file as the compile writes it: two integer metres, doubles up to
  // `reali_`, then empty ones; each row at its half of the file.
  std::unique_ptr<mappa> mappa_;
  std::size_t reali_ = 0;
  // Any other line, decoded.
  tracciato_linea decodificata_;
};

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_TRACK_VIEW_H_
