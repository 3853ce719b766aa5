#include "reader/checker_reporter.h"

#include <algorithm>

#include "model/codici_errore.h"
#include "model/warnings.h"

namespace compattatore {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string lower(std::string_view t) {
  std::string out(t);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool looks_like_number(std::string_view t) {
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
  if (t.empty()) return false;
  for (char c : t) {
    if (!is_digit(c)) return false;
  }
  return true;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                         diagonal + (a[i - 1] == b[j - 1] ? 0u : 1u)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Keywords an author may have meant, with the text and section they
// belong to.
struct keyword_hint {
  std::string_view word;
  std::string_view where;  // "general", "route", "train"
};
constexpr keyword_hint hints[] = {
    {"lunghezza percorso", "general"},
    {"progressiva chilometrica uno", "general"},
    {"progressiva chilometrica due", "general"},
    {"progressiva chilometrica tre", "general"},
    {"sfondo uno", "general"},
    {"sfondo due", "general"},
    {"sfondo tre", "general"},
    {"ripetizione segnali 4 codici", "general"},
    {"ripetizione segnali 9 codici", "general"},
    {"pendenza", "route"},
    {"curvad", "route"},
    {"curvas", "route"},
    {"montagna", "route"},
    {"indicatori_vmax", "route"},
    {"cartello_indicatore", "route"},
    {"percentuale massa frenata", "train"},
    {"numero vetture", "train"},
    {"velocita", "train"},
    {"aderenza", "train"},
    {"orologio", "train"},
    {"sabbia", "train"},
    {"segnale", "train"},
    {"rallentamento", "train"},
    {"abbattimento", "train"},
    {"stazione", "train"},
};

// The keyword nearest to `field` when it is near enough to be a typo.
const keyword_hint* nearest_keyword(std::string_view field) {
  const std::string f = lower(field);
  const keyword_hint* best = nullptr;
  std::size_t best_d = 0;
  for (const keyword_hint& h : hints) {
    const std::size_t d = edit_distance(f, h.word);
    if (best == nullptr || d < best_d) {
      best = &h;
      best_d = d;
    }
  }
  const std::size_t limit = f.size() >= 6 ? 2 : 1;
  return best_d <= limit ? best : nullptr;
}

// A keyword of another section or text that the field holds whole.
const keyword_hint* keyword_held(std::string_view field) {
  const std::string f = lower(field);
  for (const keyword_hint& h : hints) {
    std::string_view w = h.word;
    // The general keywords are tested by their first word.
    if (h.where == "general") w = w.substr(0, w.find(' '));
    if (f.find(w) != std::string::npos) return &h;
  }
  return nullptr;
}

std::string quoted(std::string_view t) {
  std::string out = "\"";
  out += t;
  out += '"';
  return out;
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + ' ' + std::string(n == 1 ? one : many);
}

}  // namespace

std::string metri(std::int64_t m) { return std::to_string(m) + " m"; }

void checker_reporter::registra(const guasto& g, words_fn words) {
  errore(g.codice, words);
}

void checker_reporter::errore(std::int32_t code, words_fn words) {
  wording w = words(*this);
  sink_.error(code, w.place, std::move(w.message), std::move(w.notes));
}

void checker_reporter::avviso(std::string_view name, words_fn words) {
  wording w = words(*this);
  sink_.warning(name, w.place, std::move(w.message), std::move(w.notes));
}

text_place checker_reporter::posto(field_span f) const {
  text_place p;
  p.file = l_.corrente;
  if (!l_.campi) return p;
  const text_position start = l_.campi->position_of(f.begin);
  p.line = start.line;
  p.column = start.column;
  p.end_column = static_cast<std::int32_t>(
      start.column +
      static_cast<std::int64_t>(f.end > f.begin ? f.end - f.begin : 1));
  return p;
}

text_place checker_reporter::posto_ultimo() const {
  if (!l_.campi) return posto({});
  return posto(l_.ultimo());
}

text_place checker_reporter::posto_progressiva(std::size_t i) const {
  const int da = origine_progressiva_[i];
  if (da >= 0 && posti_progressiva_[static_cast<std::size_t>(da)]) {
    return *posti_progressiva_[static_cast<std::size_t>(da)];
  }
  return {quale_testo::linea, 0, 0, 0};
}

void checker_reporter::testo_aperto() {
  riga_trascinata_ = 0;
  posto_fine_.reset();
  dopo_fine_detto_ = false;
}

void checker_reporter::record_iniziato() {
  if (dopo_fine_detto_ || !posto_fine_) return;
  dopo_fine_detto_ = true;
  sink_.warning(avviso::after_end, posto_keyword(),
                "this " + std::string(l_.record->name) +
                    " row comes after [fine] and is still read: reading goes "
                    "on to the end of the file, whatever the headings say",
                {{*posto_fine_, "[fine] is here"}});
}

std::string checker_reporter::chi(std::int64_t m) const {
  return record_called(l_.record ? l_.record->name : "record", m);
}

std::int32_t checker_reporter::origine(std::int64_t m) {
  return sink_.add_record(
      {posto_primo(), l_.record ? l_.record->name : "record", m, -1});
}

std::vector<problem_note> checker_reporter::occupante(std::int64_t c) const {
  const record_origin* o = sink_.origin(c);
  if (o == nullptr) return {};
  return {{o->place, "taken by " + sink_.what(*o) + " here"}};
}

std::string checker_reporter::contenuto_cella(std::int64_t c) const {
  if (!in_riga(l_.s, c)) return "nothing";
  return describe_cell(l_.s.celle[static_cast<std::size_t>(c)]);
}

std::string checker_reporter::oltre(std::int32_t p,
                                    std::int32_t margine) const {
  const scenario& s = l_.s;
  const std::int64_t ultima =
      static_cast<std::int64_t>(s.numero_celle) * passo_cella - margine;
  return chi(p) + " lies beyond the track: for a route of " +
         metri(s.stazioni[stazione_testata_treno_linea].fine_area) + " a " +
         std::string(l_.record ? l_.record->name : "record") +
         " may stand at most at " + metri(ultima) +
         " (the track runs 7000 m past the route's end)";
}

void checker_reporter::testo_letto(std::string_view nome) {
  if (l_.record == nullptr) return;
  std::string shown;
  bool fuori = false;
  for (const char c : nome) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      shown += c;
      continue;
    }
    fuori = true;
    // The byte as the Latin-1 character the simulator shows, in UTF-8.
    shown += static_cast<char>(0xC0 | (b >> 6));
    shown += static_cast<char>(0x80 | (b & 0x3F));
  }
  if (!fuori) return;
  const std::string what(l_.record->values.back().name);
  sink_.warning(avviso::non_ascii, posto_ultimo(),
                "the " + std::string(l_.record->name) + "'s " + what + " " +
                    quoted(nome) +
                    " holds bytes outside ASCII; the simulator reads each "
                    "byte as one Latin-1 character, so it shows " +
                    quoted(shown) +
                    " (write the text in Latin-1, or in plain ASCII, for it "
                    "to show as meant)");
}

void checker_reporter::progressiva_letta(int riga) {
  posti_progressiva_[static_cast<std::size_t>(riga)] = posto_primo();
}

void checker_reporter::progressive_ordinate(const std::array<int, 3>& da,
                                            bool lette) {
  origine_progressiva_ = da;
  bool rimasti = false;
  for (int e = stazione_progressiva_tre; e <= stazione_progressiva_uno; ++e) {
    const stazione& st = l_.s.stazioni[static_cast<std::size_t>(e)];
    rimasti = rimasti || st.inizio_area != 0 || st.fine_area != 0 ||
              st.progressiva != 0;
  }
  if (!lette || rimasti) return;
  for (const auto& posto : posti_progressiva_) {
    if (!posto) continue;
    sink_.warning(avviso::chainage_cleared, *posto,
                  "the chainage rows are all cleared to 0: two of them share "
                  "the largest first value (or the first values add up to 0 "
                  "and no second value is above 0)");
    break;
  }
}

void checker_reporter::record_illeggibile(const char* what) {
  if (!l_.campi) return;
  field_reader& f = *l_.campi;
  const std::string_view testo_intero = l_.aperto;
  const std::size_t at = std::min(f.last_field(), testo_intero.size());
  const std::size_t end = std::max(at, f.last_field_end());
  const std::string_view token = testo_intero.substr(at, end - at);
  const text_place tok = posto({at, end});
  const std::string w = what;
  const bool ended = w.starts_with("the text ended");
  text_place where = tok;
  std::string msg;
  std::vector<problem_note> notes;
  bool rewound = false;

  if (l_.record != nullptr && l_.valore >= 0 &&
      static_cast<std::size_t>(l_.valore) < l_.record->values.size()) {
    const text_value& v =
        l_.record->values[static_cast<std::size_t>(l_.valore)];
    const text_place kw = posto_keyword();
    const std::string name(l_.record->name);
    const std::size_t n = l_.record->values.size();
    std::string value(v.name);
    if (!v.allowed.empty()) value += " (" + std::string(v.allowed) + ")";
    // A field that is its line's first stands where a record begins.
    std::size_t line_start = at;
    while (line_start > 0 && testo_intero[line_start - 1] != '\n' &&
           testo_intero[line_start - 1] != '\r') {
      --line_start;
    }
    bool first_of_line = true;
    for (std::size_t i = line_start; i < at; ++i) {
      if (testo_intero[i] != ' ' && testo_intero[i] != '\t') {
        first_of_line = false;
      }
    }
    if (ended) {
      where = kw;
      msg = "the " + name + " row ends with the text before its " + value +
            ": a " + name + " row has " + plural(n, "value", "values");
    } else if (tok.line > kw.line && first_of_line) {
      where = kw;
      msg = "the " + name + " row has " + std::to_string(l_.valore) +
            " of its " + plural(n, "value", "values") + " on its line; its " +
            value + " was looked for on line " + std::to_string(tok.line) +
            ", which begins with " + quoted(token) + ", not a number";
      notes.push_back({tok, "reading went on to here"});
      f.rewind(line_start);
      rewound = true;
    } else if (w == "not a whole number") {
      msg = "the " + name + " row's " + value + " is " + quoted(token) +
            ", which is not a whole number";
    } else if (w == "number too large for its field") {
      msg = "the " + name + " row's " + value + " is " + std::string(token) +
            ", which does not fit: it must be " +
            std::string(allowed_values(v.width));
    } else {
      msg = "the " + name + " row: " + w;
    }
  } else {
    msg = ended ? std::string("the text ends in the middle of a record")
                : "unreadable field " + quoted(token) + ": " + w;
  }
  const std::string_view kw_text =
      testo_intero.substr(l_.keyword.begin, l_.keyword.end - l_.keyword.begin);
  if (l_.record != nullptr && l_.valore == 0 && !ended &&
      lower(kw_text) != lower(l_.record->keyword) &&
      kw_text.find(' ') != std::string_view::npos) {
    // Most likely a line of prose that holds a keyword.
    notes.insert(
        notes.begin(),
        {posto_keyword(),
         quoted(kw_text) + " is read as a " + std::string(l_.record->name) +
             " row because it holds that record's keyword; a line "
             "meant as a comment is never read as a record when it "
             "holds a \"-\" and no comma"});
  }
  sink_.error(codice::lettura_fallita, where, std::move(msg), std::move(notes));
  if (!rewound) f.skip_line();
}
void checker_reporter::record_letto() {
  if (l_.record == nullptr || !l_.campi) return;
  field_reader& f = *l_.campi;
  const text_place kw = posto_keyword();
  const text_place last = posto_ultimo();
  const std::string name(l_.record->name);
  const std::size_t n = l_.record->values.size();
  const std::vector<field_reader::peeked> rest = f.rest_of_line();
  if (!rest.empty()) {
    const text_place at = posto(
        {rest.front().offset, rest.back().offset + rest.back().text.size()});
    std::string list;
    for (const auto& r : rest) {
      if (!list.empty()) list += ", ";
      list += r.text;
    }
    const text_value& ultimo = l_.record->values.back();
    if (ultimo.width == value_width::text) {
      const std::string_view cut =
          l_.aperto.substr(f.last_field(), f.last_field_end() - f.last_field());
      sink_.warning(avviso::name_comma, at,
                    "a comma cuts the " + name + "'s " +
                        std::string(ultimo.name) + " to " + quoted(cut) + ": " +
                        quoted(list) +
                        (rest.size() == 1
                             ? " is read as a keyword field and does nothing"
                             : " are read as keyword fields and do nothing") +
                        "; to keep the comma, write the " +
                        std::string(ultimo.name) + " in double quotes",
                    {{kw, "the " + name + " row begins here"}});
    } else {
      sink_.warning(
          avviso::extra_values, at,
          plural(rest.size(), "value is", "values are") +
              " left over after the " + name + " row's " +
              plural(n, "value", "values") + ": " + quoted(list) +
              (rest.size() == 1 ? " is read as a keyword field and does nothing"
                                : " are read as keyword fields and do nothing"),
          {{kw, "the " + name + " row begins here"}});
    }
    riga_trascinata_ = at.line;
  }
  if (last.line > kw.line) {
    sink_.warning(
        avviso::run_on, kw,
        "the " + name + " row's values run onto line " +
            std::to_string(last.line) +
            ": they are read all the same, but a row's keyword and its " +
            plural(n, "value", "values") + " belong on one line",
        {{last, "its last value is here"}});
  }
}
void checker_reporter::keyword_non_usata(std::string_view k,
                                         bool riconosciuto) {
  if (!l_.campi) return;
  const text_place at = posto_keyword();
  if (riconosciuto) {
    riga_trascinata_ = at.line;
    return;
  }
  if (k.empty()) return;
  if (contains(k, "[") && contains(k, "]")) {
    if (contains_ci(k, "[fine]")) posto_fine_ = at;
    return;
  }
  if (contains(k, "-") || at.line == riga_trascinata_) return;
  riga_trascinata_ = at.line;
  const std::vector<field_reader::peeked> rest = l_.campi->rest_of_line();
  std::string msg;
  if (looks_like_number(k)) {
    msg = "the number " + std::string(k) +
          " stands where a record's keyword belongs";
  } else {
    msg = quoted(k) + " is no keyword";
  }
  if (rest.empty()) {
    msg += " and is passed over";
  } else {
    msg += ", so this row is passed over: " +
           (rest.size() == 1
                ? std::string("the value after it is read as a keyword "
                              "field and does nothing")
                : "the " + std::to_string(rest.size()) +
                      " values after it are read as keyword fields and do "
                      "nothing");
  }
  const std::string_view here =
      l_.corrente == quale_testo::treno ? "train" : "route";
  if (looks_like_number(k)) {
    // Values of a record that has them all already.
  } else if (const keyword_hint* held = keyword_held(k)) {
    if (held->where == "general") {
      msg += "; " + quoted(held->word.substr(0, held->word.find(' '))) +
             " is read only in the route text's general section, under "
             "[generale] and before the next heading";
    } else if (held->where == here) {
      msg += "; " + quoted(held->word) +
             " rows are read only after the general section, which ends at "
             "the first heading after [generale]";
    } else {
      msg += "; " + quoted(held->word) + " is a " + std::string(held->where) +
             " text keyword";
    }
  } else if (const keyword_hint* near = nearest_keyword(k)) {
    msg += "; did you mean " + quoted(near->word) + "?";
  }
  sink_.warning(avviso::unknown_keyword, at, std::move(msg));
}
}  // namespace compattatore
