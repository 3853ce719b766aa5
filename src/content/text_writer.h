// The line list and the writer that replaces a text file with its lines.
#ifndef CONTENT_TEXT_WRITER_H_
#define CONTENT_TEXT_WRITER_H_

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace compattatore {

/// Entries of a line list (index 0 to 1000).
inline constexpr std::size_t numero_righe = 1001;
/// The entry that ends a list; never written.
inline constexpr std::string_view fine_righe = "riferimento fine del file";
/// Every written line ends so, the last one included.
inline constexpr std::string_view fine_riga = "\r\n";

/// One writer's lines, every entry empty when made.
using righe = std::array<std::string, numero_righe>;

/// A list holding `lines` from entry 0 and the end marker right after them.
/// REQUIRES: lines.size() < numero_righe.
righe fill_righe(std::initializer_list<std::string_view> lines);
righe fill_righe(const std::string_view* lines, std::size_t count);
righe fill_righe(const std::vector<std::string>& lines);

/// The file's bytes: each entry before the first one exactly equal to the
/// end marker, followed by CR LF. A list without the marker gives all its
/// entries.
std::string testo_righe(const righe& r);

/// Replaces the file at `path` with the list's lines. Throws file_error.
void scrivi_righe(const righe& r, file_system& fs, const std::string& path);

}  // namespace compattatore

#endif  // CONTENT_TEXT_WRITER_H_
