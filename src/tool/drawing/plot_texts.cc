#include "tool/drawing/plot_texts.h"

#include <cstdlib>

#include "tool/common/latin1.h"

namespace compattatore::tool {

std::string speed_board_text(const cella& c) {
  const int valori[] = {c.valore_1, c.valore_2, c.valore_3};
  auto side = [&](bool s) {
    int v[3];
    for (int i = 0; i < 3; ++i) {
      v[i] = s ? valori[i] / 20 : (valori[i] % 20) * 5;
    }
    if (v[0] == v[1] && v[1] == v[2]) return std::to_string(v[0]);
    return std::to_string(v[0]) + "/" + std::to_string(v[1]) + "/" +
           std::to_string(v[2]);
  };
  std::string out = side(true);
  const std::string d = side(false);
  if (d != "0") out += " | " + d;
  return out;
}

std::string indication_text(std::string_view nome) {
  std::string out;
  bool blank = false;
  for (char ch : latin1_to_utf8(nome)) {
    if (ch == '(' || ch == ')' || ch == ' ') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += ch;
  }
  return out;
}

std::string signal_text(const cella& c) {
  std::string s = "s ", d = " d ";
  for (int v : {c.valore_1, c.valore_2, c.valore_3}) {
    s += std::to_string(std::abs(v) / 10 % 10);
    d += std::to_string(std::abs(v) % 10);
  }
  return s + d;
}

std::string timetable_text(std::int32_t seconds) {
  if (seconds <= 0) return {};
  auto two = [](std::int32_t v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
  };
  std::string out = two(seconds / 3600) + ":" + two(seconds / 60 % 60);
  if (seconds % 60 != 0) out += ":" + two(seconds % 60);
  return out;
}

}  // namespace compattatore::tool
