#include "tool/dump.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <type_traits>

#include "compact/compiled_files_decode.h"
#include "model/file_names.h"
#include "model/glossario.h"
#include "model/record_fields.h"
#include "platform/real_file_system.h"
#include "tool/diagnostics.h"
#include "tool/exit_status.h"
#include "tool/read_limits.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

std::string_view kind_word(compiled_kind k) {
  switch (k) {
    case compiled_kind::track:
      return "track";
    case compiled_kind::stations:
      return "stations";
    case compiled_kind::cells:
      return "cells";
  }
  return {};
}

std::string_view kind_title(compiled_kind k) {
  switch (k) {
    case compiled_kind::track:
      return "track line";
    case compiled_kind::stations:
      return "station table";
    case compiled_kind::cells:
      return "cell row";
  }
  return {};
}

// Cell c stands for the track at about (c - 1) * 50 m.
std::int64_t metro_della_cella(std::size_t c) {
  return (static_cast<std::int64_t>(c) - 1) * passo_cella;
}

// What the kind's first value means, where it has one meaning.
std::string dettaglio_oggetto(const cella& c) {
  const std::string v1 = std::to_string(c.valore_1);
  switch (static_cast<oggetto_cella>(c.oggetto)) {
    case oggetto_cella::fine_rallentamento:
    case oggetto_cella::inizio_rallentamento:
    case oggetto_cella::avviso_rallentamento:
    case oggetto_cella::abbattimento:
      return ", " + v1 + " km/h";
    case oggetto_cella::preavviso_rallentamento:
      return " " + v1 + " (1 nearest the warning)";
    case oggetto_cella::fine_stazione:
    case oggetto_cella::cartello_indicatore:
      return ", entry " + v1;
    default:
      return {};
  }
}

std::string spiegazione_preavviso(std::uint8_t p) {
  if (p == 0) return {};
  // 80 + k in the k-th cell before a station end marker; a signal's
  // approach codes are (sx * 3 + dx) * 10 + k.
  if (p > 80 && p <= 84) {
    return " (station end " + std::to_string(p - 80) + " cells ahead)";
  }
  return " (signal approach)";
}

// A field's value as a number, also for the 8-bit ones.
template <typename T>
long long number(T v) {
  return v;
}

void cell_text(std::ostream& out, std::size_t i, const cella& c) {
  out << "cell " << i << " (~" << metro_della_cella(i) << " m): oggetto "
      << int{c.oggetto} << ' ' << significato_oggetto(c.oggetto)
      << dettaglio_oggetto(c);
  if (i == 1) {
    out << "; seal: stamp " << c.valore_1 << ", check code " << c.valore_2;
  }
  // Every field but the kind, two lines of them; some with what they mean.
  for_each_field(cell_fields, [&](const auto& f) {
    if (f.name == "oggetto") return;
    const long long v = number(c.*f.member);
    out << (f.name == "valore_1" || f.name == "montagna" ? "\n    " : ", ")
        << f.name << ' ' << v;
    if (f.name == "preavviso") out << spiegazione_preavviso(c.preavviso);
    if (f.name == "velocita_linea") out << " (" << 5 * v << " km/h)";
    if (f.name == "pendenza") out << " (" << v - 100 << " per mille)";
  });
  out << '\n';
}

std::string ora(std::int32_t secondi) {
  if (secondi < 0) return {};
  auto two = [](std::int32_t v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
  };
  return " (" + two(secondi / 3600) + ":" + two(secondi / 60 % 60) + ":" +
         two(secondi % 60) + ")";
}

std::string escaped(std::string_view bytes) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string out = "\"";
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x20 || b >= 0x7f || ch == '"' || ch == '\\') {
      out += "\\x";
      out += digits[b >> 4];
      out += digits[b & 15];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

void station_text(std::ostream& out, std::size_t i, const stazione& s) {
  const std::string_view role = ruolo_voce(i, s);
  out << "entry " << i << ": " << role;
  if (s == stazione{}) {
    out << (i == 0 || role == "empty" ? "\n" : " (empty)\n");
    return;
  }
  out << ' ' << escaped(s.nome);
  // The numbers, three lines of them after the name.
  for_each_field(station_fields, [&](const auto& f) {
    using T = typename std::decay_t<decltype(f)>::type;
    if constexpr (!std::is_same_v<T, std::string>) {
      const bool line = f.name == "categoria" || f.name == "numero_1" ||
                        f.name == "opzione_2";
      out << (line ? "\n    " : ", ") << f.name << ' ' << number(s.*f.member);
    }
  });
  if (role == "station") out << ora(s.orario);
  out << '\n';
  const std::string means = significato_testata(i, s);
  if (!means.empty()) out << "    means: " << means << '\n';
}

std::string_view tipo_word(tipo_elemento k) {
  switch (k) {
    case tipo_elemento::vuoto:
      return "empty";
    case tipo_elemento::intero:
      return "int";
    case tipo_elemento::reale:
      return "double";
  }
  return {};
}

// Shortest text that reads back as the same double.
std::string shortest(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string element_text(const tracciato_linea& t, std::size_t m, int asse) {
  const tipo_elemento k = t.tipo(m, asse);
  if (k == tipo_elemento::vuoto) return "empty";
  return std::string(tipo_word(k)) + ' ' + shortest(t.valore(m, asse));
}

json element_value(const tracciato_linea& t, std::size_t m, int asse) {
  switch (t.tipo(m, asse)) {
    case tipo_elemento::vuoto:
      return nullptr;
    case tipo_elemento::intero:
      return static_cast<std::int16_t>(t.valore(m, asse));
    case tipo_elemento::reale:
      return t.valore(m, asse);
  }
  return nullptr;
}

}  // namespace

std::optional<compiled_kind> kind_from_name(std::string_view path) {
  if (path.ends_with(fine_file_linea)) return compiled_kind::track;
  if (path.ends_with(fine_file_stazioni)) return compiled_kind::stations;
  if (path.ends_with(fine_file_celle)) return compiled_kind::cells;
  return std::nullopt;
}

std::optional<compiled_kind> kind_from_word(std::string_view word) {
  for (compiled_kind k :
       {compiled_kind::track, compiled_kind::stations, compiled_kind::cells}) {
    if (word == kind_word(k)) return k;
  }
  return std::nullopt;
}

bool non_vuota(const cella& c) { return !(c == cella{}); }

void cells_text(std::ostream& out, const std::vector<cella>& celle, bool all) {
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (all || non_vuota(celle[i])) cell_text(out, i, celle[i]);
  }
}

json cells_json(const std::vector<cella>& celle, bool all) {
  json list = json::array();
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (!all && !non_vuota(c)) continue;
    json entry = {{"index", i},
                  {"metro", metro_della_cella(i)},
                  {"meaning", significato_oggetto(c.oggetto)}};
    for_each_field(cell_fields,
                   [&](const auto& f) { entry[f.name] = c.*f.member; });
    list.push_back(std::move(entry));
  }
  return {{"count", celle.size()},
          {"listed", all ? "all" : "non-empty"},
          {"cells", std::move(list)}};
}

void stations_text(std::ostream& out,
                   const std::array<stazione, numero_stazioni>& stazioni) {
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    station_text(out, i, stazioni[i]);
  }
}

json stations_json(const std::array<stazione, numero_stazioni>& stazioni) {
  json list = json::array();
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const stazione& s = stazioni[i];
    json entry = {{"index", i}, {"role", ruolo_voce(i, s)}};
    for_each_field(station_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      if constexpr (std::is_same_v<T, std::string>) {
        entry[f.name] = latin1_to_utf8(s.*f.member);
      } else {
        entry[f.name] = s.*f.member;
      }
    });
    list.push_back(std::move(entry));
  }
  return {{"entries", std::move(list)}};
}

void track_text(std::ostream& out, const tracciato_linea& t) {
  out << "metre, x, y\n";
  for (std::size_t m = 0; m < t.metri(); ++m) {
    out << m << ", " << element_text(t, m, 0) << ", " << element_text(t, m, 1)
        << '\n';
  }
}

json track_json(const tracciato_linea& t) {
  json list = json::array();
  for (std::size_t m = 0; m < t.metri(); ++m) {
    list.push_back({{"metro", m},
                    {"x", element_value(t, m, 0)},
                    {"x_kind", tipo_word(t.tipo(m, 0))},
                    {"y", element_value(t, m, 1)},
                    {"y_kind", tipo_word(t.tipo(m, 1))}});
  }
  return {{"metres", t.metri()}, {"elements", std::move(list)}};
}

std::string latin1_to_utf8(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xc0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3f));
    }
  }
  return out;
}

std::string utf8_to_latin1(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b == 0xc2 || b == 0xc3) && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[++i]);
      out += static_cast<char>(((b & 0x03) << 6) | (next & 0x3f));
    } else {
      out += text[i];
    }
  }
  return out;
}

int run_dump(const dump_options& o, std::ostream& out, std::ostream& err) {
  const std::optional<compiled_kind> kind =
      o.kind.empty() ? kind_from_name(o.file) : kind_from_word(o.kind);
  if (!kind) {
    err << prefisso_tool << "cannot tell what " << o.file
        << " holds from its name (NAME_linea.dat track line, .sim station "
           "table, .dat cell row): give --kind track|stations|cells\n";
    return exit_status::file_failure;
  }
  std::string bytes;
  try {
    real_file_system disk;
    bytes = disk.read(o.file, compiled_file_limit);
  } catch (const file_error& e) {
    err << prefisso_tool << e.what() << '\n';
    return exit_status::file_failure;
  }

  json j = {
      {"file", o.file}, {"kind", kind_word(*kind)}, {"bytes", bytes.size()}};
  std::string problem;
  auto not_readable = [&] {
    err << o.file << ": not a " << kind_title(*kind) << " file: " << problem
        << '\n';
    return exit_status::file_failure;
  };
  switch (*kind) {
    case compiled_kind::cells: {
      std::vector<cella> celle;
      if (!decode_cells(bytes, &celle, &problem)) return not_readable();
      if (o.json) {
        j.update(cells_json(celle, o.all));
      } else {
        out << o.file << ": cell row, " << celle.size() << " cells, "
            << bytes.size() << " bytes; "
            << (o.all ? "every cell"
                      : "cells with a nonzero field (--all "
                        "for every cell)")
            << '\n';
        cells_text(out, celle, o.all);
      }
      break;
    }
    case compiled_kind::stations: {
      std::array<stazione, numero_stazioni> stazioni{};
      if (!decode_stations(bytes, &stazioni, &problem)) return not_readable();
      if (o.json) {
        j.update(stations_json(stazioni));
      } else {
        out << o.file << ": station table, " << stazioni.size() << " entries, "
            << bytes.size() << " bytes\n";
        stations_text(out, stazioni);
      }
      break;
    }
    case compiled_kind::track: {
      tracciato_linea t;
      if (!decode_track(bytes, &t, &problem)) return not_readable();
      if (o.json) {
        j.update(track_json(t));
      } else {
        out << o.file << ": track line, " << t.metri() << " metres, "
            << bytes.size() << " bytes\n";
        track_text(out, t);
      }
      break;
    }
  }
  if (o.json) {
    out << j.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
  }
  return exit_status::ok;
}

}  // namespace compattatore::tool
