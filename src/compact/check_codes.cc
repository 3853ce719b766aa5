#include "compact/check_codes.h"

#include <cstddef>

namespace compattatore {
namespace {

// Only A to Z are lowered: the codes must not depend on the locale.
char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void testo_di_controllo(scenario& s) {
  std::string t = s.stazioni[stazione_testata_treno].nome;
  t += s.stazioni[stazione_testata_linea].nome;
  for (char& c : t) c = lower_ascii(c);
  t += riempitivo_codici;
  s.riga = std::move(t);
}

// Code of the character at 1-based position p: its byte, 0 to 255.
std::int32_t codice_carattere(const std::string& t, int p) {
  return static_cast<unsigned char>(t[static_cast<std::size_t>(p - 1)]);
}

}  // namespace

std::int16_t codice_gara_og(scenario& s) {
  testo_di_controllo(s);
  std::int32_t somma = 0;
  for (int p = 1; p <= caratteri_codice; ++p) {
    somma += codice_carattere(s.riga, p);
  }
  return static_cast<std::int16_t>(somma);  // at most 25 * 255
}

std::int32_t codice_gara_st(scenario& s) {
  testo_di_controllo(s);
  std::int32_t somma = 0;
  for (int p = 1; p <= caratteri_codice; ++p) {
    somma += codice_carattere(s.riga, p) * p;
  }
  return somma;
}

}  // namespace compattatore
