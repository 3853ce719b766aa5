#include "tool/decode/dump_text.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <type_traits>

#include "model/glossario.h"
#include "model/record_fields.h"

namespace compattatore::tool {
namespace {

std::string object_detail(const cella& c) {
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

std::string preavviso_meaning(std::uint8_t p) {
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
      << object_detail(c);
  if (i == 1) {
    out << "; seal: stamp " << c.valore_1 << ", check code " << c.valore_2;
  }
  // Every field but the kind, two lines of them; some with what they mean.
  for_each_field(cell_fields, [&](const auto& f) {
    if (f.name == "oggetto") return;
    const long long v = number(c.*f.member);
    out << (f.name == "valore_1" || f.name == "montagna" ? "\n    " : ", ")
        << f.name << ' ' << v;
    if (f.name == "preavviso") out << preavviso_meaning(c.preavviso);
    if (f.name == "velocita_linea") out << " (" << 5 * v << " km/h)";
    if (f.name == "pendenza") out << " (" << v - 100 << " per mille)";
  });
  out << '\n';
}

std::string orario_text(std::int32_t seconds) {
  if (seconds < 0) return {};
  auto two = [](std::int32_t v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
  };
  return " (" + two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" +
         two(seconds % 60) + ")";
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
  if (role == "station") out << orario_text(s.orario);
  out << '\n';
  const std::string means = significato_testata(i, s);
  if (!means.empty()) out << "    means: " << means << '\n';
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
  return std::string(element_kind_word(k)) + ' ' + shortest(t.valore(m, asse));
}

}  // namespace

bool any_field_set(const cella& c) { return !(c == cella{}); }

bool holds_object(std::size_t index, const cella& c) {
  return c.oggetto != 0 || (index == 1 && any_field_set(c));
}

// What the kind's first value means, where it has one meaning.

std::string_view element_kind_word(tipo_elemento k) {
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

void cells_text(std::ostream& out, const std::vector<cella>& celle,
                which_cells which, const dump_range& range) {
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (!range.holds(metro_della_cella(i))) continue;
    const bool shown =
        which == which_cells::all ||
        (which == which_cells::non_empty && any_field_set(celle[i])) ||
        (which == which_cells::objects && holds_object(i, celle[i]));
    if (shown) cell_text(out, i, celle[i]);
  }
}

void stations_text(std::ostream& out,
                   const std::array<stazione, numero_stazioni>& stazioni) {
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    station_text(out, i, stazioni[i]);
  }
}

void track_text(std::ostream& out, const tracciato_linea& t,
                const dump_range& range) {
  out << "metre, x, y\n";
  for (std::size_t m = 0; m < t.metri(); ++m) {
    if (!range.holds(static_cast<std::int64_t>(m))) continue;
    out << m << ", " << element_text(t, m, 0) << ", " << element_text(t, m, 1)
        << '\n';
  }
}

}  // namespace compattatore::tool
