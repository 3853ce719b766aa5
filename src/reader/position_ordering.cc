#include "reader/position_ordering.h"

#include <cstdint>

#include "reader/lettura.h"

namespace compattatore {
namespace {

struct terna {
  std::int32_t primo = 0;
  std::int32_t secondo = 0;
  std::int32_t terzo = 0;
  int da = -1;  // the entry it was read from: 0, 1, 2 for 81, 82, 83
};

constexpr std::int32_t terzo_con_aggiunta = 1;
constexpr std::int32_t aggiunta = 100;

terna leggi_terna(const stazione& e, int da) {
  return {e.inizio_area, e.fine_area, e.progressiva, da};
}

void scrivi_terna(stazione& e, const terna& t) {
  e.inizio_area = t.primo;
  e.fine_area = t.secondo;
  e.progressiva = t.terzo;
}

}  // namespace

void progressive_ordina(scenario& s, std::array<int, 3>* da_dove) {
  const terna t = leggi_terna(s.stazioni[stazione_progressiva_tre], 0);
  const terna d = leggi_terna(s.stazioni[stazione_progressiva_due], 1);
  const terna u = leggi_terna(s.stazioni[stazione_progressiva_uno], 2);
  terna n81, n82, n83;

  // Summed as the format's 32-bit arithmetic, left to right.
  if (somma_32(somma_32(t.primo, d.primo), u.primo) != 0) {
    // Strict tests: with the two smaller first values equal, the higher
    // entry goes to 82; with the largest shared, everything stays cleared.
    if (t.primo > d.primo && t.primo > u.primo) {
      n81 = t;
      if (d.primo > u.primo) {
        n82 = d;
        n83 = u;
      } else {
        n82 = u;
        n83 = d;
      }
    } else if (d.primo > t.primo && d.primo > u.primo) {
      n81 = d;
      if (t.primo > u.primo) {
        n82 = t;
        n83 = u;
      } else {
        n82 = u;
        n83 = t;
      }
    } else if (u.primo > t.primo && u.primo > d.primo) {
      n81 = u;
      if (t.primo > d.primo) {
        n82 = t;
        n83 = d;
      } else {
        n82 = d;
        n83 = t;
      }
    }
  } else {
    // Each test that holds replaces the outcome of the one before.
    if (t.secondo > 0) {
      n81 = t;
      n82 = d;
      n83 = u;
    }
    if (d.secondo > 0) {
      n81 = d;
      n82 = t;
      n83 = u;
    }
    if (u.secondo > 0) {
      n81 = u;
      n82 = d;
      n83 = t;
    }
  }

  if (da_dove != nullptr) *da_dove = {n81.da, n82.da, n83.da};
  scrivi_terna(s.stazioni[stazione_progressiva_tre], n81);
  scrivi_terna(s.stazioni[stazione_progressiva_due], n82);
  scrivi_terna(s.stazioni[stazione_progressiva_uno], n83);
  for (int e : {stazione_progressiva_tre, stazione_progressiva_due,
                stazione_progressiva_uno}) {
    stazione& st = s.stazioni[static_cast<std::size_t>(e)];
    if (st.progressiva == terzo_con_aggiunta) {
      st.fine_area = somma_32(st.fine_area, aggiunta);
    }
  }
}

}  // namespace compattatore
