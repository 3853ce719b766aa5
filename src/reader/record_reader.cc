#include "reader/record_reader.h"

#include <cassert>

#include "model/codici_errore.h"
#include "reader/checker_reporter.h"

namespace compattatore {

bool record_reader::applica_meno(regola_meno meno) {
  for (int i = 0; i < meno.volte && contains(s_.riga, "-"); ++i) {
    s_.riga.assign(l_.campi->read_text());
    if (meno.guarda_fine && l_.campi->eof()) return false;
  }
  return true;
}

esito record_reader::illeggibile(const read_failure& x) {
  if (!r_.recupera()) throw;
  r_.record_illeggibile(x.what());
  return esito::salta;
}

esito record_reader::dopo_keyword(esito e, bool riconosciuto,
                                  bool (*noto)(std::string_view)) {
  // What follows a record is the recovering reading's alone: the program's
  // path stays a plain loop over the records.
  if (!r_.recupera()) return e;
  if (e == esito::salta) {
    l_.campi->skip_line();
  } else if (riconosciuto) {
    if (e == esito::avanti) r_.record_letto();
  } else {
    r_.keyword_non_usata(s_.riga, noto != nullptr && noto(s_.riga));
  }
  return e;
}

esito record_reader::rifiuta_a(std::int32_t code,
                               std::optional<std::int32_t> posizione,
                               std::size_t campo, words_fn words) {
  r_.registra(l_.guasto_a(code, posizione, campo), words);
  if (r_.recupera()) return esito::salta;
  l_.chiudi_e_cancella();
  return esito::rifiuto;
}

esito record_reader::valori_e_posizione() {
  const text_record& row = *l_.record;
  assert(row.values.size() <= massimo_valori && "room for every value");
  for (std::size_t i = 0; i < row.values.size(); ++i) {
    const int v = static_cast<int>(i);
    switch (row.values[i].width) {
      case value_width::i32:
        valori_[i] = l_.i32(v);
        break;
      case value_width::i16:
        valori_[i] = l_.i16(v);
        break;
      case value_width::u8:
        valori_[i] = l_.u8(v);
        break;
      case value_width::text:
        s_.riga.assign(l_.testo(v));
        r_.testo_letto(s_.riga);
        break;
    }
  }
  assert(row.position && row.position->value == 0 &&
         "a record's faults point at its first value, its position");
  return posizione_valida(valori_[row.position->value], row.position->margine);
}

esito record_reader::posizione_valida(std::int32_t p, std::int32_t margine) {
  // Recovering without a cell row (no route length read), a position
  // cannot be tested: its fault would only follow from the missing length.
  if (r_.recupera() && s_.celle.empty()) return esito::salta;
  if (p < 0) {
    return rifiuta(
        codice::posizione_negativa, p, [&](const checker_reporter& c) {
          return wording{c.posto_primo(),
                         c.chi(p) + ": a position cannot be negative"};
        });
  }
  if (!entro_celle(s_, p, margine)) {
    r_.registra(l_.guasto_a(codice::oltre_celle, p, l_.primo.begin),
                [&](const checker_reporter& c) {
                  return wording{c.posto_primo(), c.oltre(p, margine)};
                });
    return r_.recupera() ? esito::salta : esito::fine_record;
  }
  return esito::avanti;
}

}  // namespace compattatore
