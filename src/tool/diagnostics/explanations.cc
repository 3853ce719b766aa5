#include "tool/diagnostics/explanations.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

#include "model/codici_errore.h"
#include "model/warnings.h"
#include "reader/text_reference.h"
#include "tool/common/exit_status.h"

namespace compattatore::tool {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

bool is_code(std::string_view key) {
  return !key.empty() && std::isdigit(static_cast<unsigned char>(key[0]));
}

// Paragraphs are kept to a terminal's width.
constexpr std::size_t width = 76;

void wrapped(std::string& out, std::string_view first, std::string_view text) {
  std::size_t column = first.size();
  out += first;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (column > 0 && column + 1 + word.size() > width) {
      out += '\n';
      column = 0;
    } else if (column > 0) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    at = end + 1;
  }
  out += '\n';
}

void indented(std::string& out, std::string_view lines) {
  std::size_t at = 0;
  while (at <= lines.size()) {
    const std::size_t end = std::min(lines.find('\n', at), lines.size());
    out += "    ";
    out += lines.substr(at, end - at);
    out += '\n';
    at = end + 1;
  }
}

void listed(std::ostream& out, const explanation& e) {
  constexpr std::size_t key_width = 16;
  out << "  " << e.key;
  for (std::size_t i = e.key.size(); i < key_width; ++i) out << ' ';
  out << explanation_title(e) << '\n';
}

}  // namespace

std::string_view explanation_title(const explanation& e) {
  if (!is_code(e.key)) {
    const avviso::warning_entry* w = avviso::find_warning(e.key);
    return w != nullptr ? w->summary : std::string_view{};
  }
  std::int32_t code = 0;
  std::from_chars(e.key.data(), e.key.data() + e.key.size(), code);
  if (const codice::fault_entry* f = codice::find_fault(code)) {
    return f->meaning;
  }
  const codice::seal_guard_entry* g = codice::find_seal_guard(code);
  return g != nullptr ? g->meaning : std::string_view{};
}

const explanation* find_explanation(std::string_view key) {
  std::string k = lower(key);
  for (std::string_view prefix : {"-wno-", "-w", "e"}) {
    if (k.starts_with(prefix) && k.size() > prefix.size()) {
      const std::string rest = k.substr(prefix.size());
      if (prefix == "e" && !is_code(rest)) continue;
      k = rest;
      break;
    }
  }
  for (const explanation& e : explanations()) {
    if (e.key == k) return &e;
  }
  return nullptr;
}

std::string explanation_text(const explanation& e) {
  std::string out;
  if (is_code(e.key)) {
    out += "error ";
    out += e.key;
  } else {
    out += "warning -W";
    out += e.key;
  }
  out += ": ";
  out += explanation_title(e);
  out += "\n\n";
  wrapped(out, "", e.rule);
  out += '\n';
  wrapped(out, "Why:", e.why);
  out += "\nWrong:\n\n";
  indented(out, e.wrong);
  out += "\nRight:\n\n";
  indented(out, e.right);
  if (!is_code(e.key)) {
    out += "\nSilence it with -Wno-";
    out += e.key;
    out += "; --strict makes every warning an error.\n";
  }
  return out;
}

int run_explain(const std::optional<std::string>& key, bool reference,
                std::ostream& out, std::ostream& err) {
  if (reference) {
    out << riferimento_markdown();
    return exit_status::ok;
  }
  if (!key) {
    out << "Fault codes (errors):\n";
    for (const explanation& e : explanations()) {
      if (is_code(e.key)) listed(out, e);
    }
    out << "Warnings (-Wno-NAME silences one):\n";
    for (const explanation& e : explanations()) {
      if (!is_code(e.key)) listed(out, e);
    }
    out << "Run 'compatta explain CODE' or 'compatta explain NAME' for one.\n";
    return exit_status::ok;
  }
  const explanation* e = find_explanation(*key);
  if (e == nullptr) {
    err << "compatta: explain: no fault code or warning is called '" << *key
        << "'; 'compatta explain' lists them all\n";
    return exit_status::file_failure;
  }
  out << explanation_text(*e);
  return exit_status::ok;
}

}  // namespace compattatore::tool
