#include "tool/decompile/decompilation.h"

#include "tool/decompile/pass_additions.h"
#include "tool/decompile/reading_order.h"
#include "tool/decompile/route_recovery.h"
#include "tool/decompile/section_notes.h"
#include "tool/decompile/text_emission.h"
#include "tool/decompile/train_recovery.h"
#include "tool/decompile/under_station_ends.h"

namespace compattatore::tool {

testi_decompilati decompila(const compiled_scenario& c,
                            const std::string& file_stazioni,
                            const std::string& file_tracciato) {
  // Recovered from the table and row as the readers left them.
  testi_recuperati t;
  std::array<stazione, numero_stazioni> stazioni = c.stazioni;
  std::vector<cella> celle = c.celle;
  togli_sigillo(stazioni, celle);
  const celle_prima_del_passo prima = prima_del_passo(celle);
  const lettura_linea lettura = recupera_linea(c, stazioni, prima, &t);
  recupera_treno(stazioni, prima, lettura, &t);
  if (lettura == lettura_linea::intera) {
    recupera_sotto_le_fini(stazioni, prima.celle, t);
    t.treno.ordine = ordine_di_lettura(t.treno, stazioni, prima.celle);
  }

  fonti_note fonti{file_stazioni, file_tracciato, lettura, 0, 0};
  if (c.linea && !c.linea->empty()) {
    std::size_t m = 2;
    while (m < c.linea->metri() &&
           c.linea->tipo(m, 0) != tipo_elemento::vuoto) {
      ++m;
    }
    fonti.fine_disegno = static_cast<std::int32_t>(m) - 1;
  }
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (prima.punti_del_passo[i]) ++fonti.punti_del_passo;
  }
  annota(fonti, t);
  testi_decompilati out;
  out.linea = testo_linea(t, t.avvisi);
  out.treno = testo_treno(t, t.avvisi);
  out.avvisi = std::move(t.avvisi);
  return out;
}

}  // namespace compattatore::tool
