#include "tool/decompile/text_emission.h"

#include <cstdint>
#include <initializer_list>

namespace compattatore::tool {
namespace {

constexpr std::string_view fine_riga = "\r\n";

class scrittura {
 public:
  void riga(std::string_view testo) {
    out_.append(testo);
    out_.append(fine_riga);
  }
  /// A note line for the author: the reader passes over a field holding
  /// a minus sign, so it must hold one and no comma.
  void nota(std::string_view testo) {
    std::string r = "- ";
    for (char c : testo) r += c == ',' ? ';' : c;
    riga(r);
  }
  /// A record: the keyword, then each value after a comma, padded as the
  /// compiled-in texts pad theirs.
  void record(std::string_view keyword,
              std::initializer_list<std::string> valori) {
    std::string r(keyword);
    for (const std::string& v : valori) {
      r += ",";
      r += std::string(v.size() < 5 ? 6 - v.size() : 1, ' ');
      r += v;
    }
    riga(r);
  }
  std::string& str() { return out_; }

 private:
  std::string out_;
};

std::string n(std::int64_t v) { return std::to_string(v); }

std::string nota_di(
    const std::vector<std::pair<std::string, std::string>>& note,
    std::string_view titolo) {
  for (const auto& [t, testo] : note) {
    if (t == titolo) return testo;
  }
  return {};
}

void sezione(scrittura& w,
             const std::vector<std::pair<std::string, std::string>>& note,
             std::string_view titolo) {
  const std::string testo = nota_di(note, titolo);
  if (!testo.empty()) w.nota(testo);
  w.riga(titolo);
}

std::string scritta(std::string_view testo, std::string_view chi,
                    std::vector<std::string>& avvisi) {
  if (const std::optional<std::string> f = campo_testo(testo)) return *f;
  avvisi.push_back(std::string(chi) + " \"" + std::string(testo) +
                   "\" cannot be written as one text field (it holds a line "
                   "end, or a double quote beside a comma or an end blank): "
                   "it is written without them");
  std::string pulita;
  for (char c : testo) {
    if (c != '\r' && c != '\n' && c != '"' && c != ',') pulita += c;
  }
  return pulita;
}

}  // namespace

std::optional<std::string> campo_testo(std::string_view testo) {
  if (testo.find_first_of("\r\n") != std::string_view::npos) {
    return std::nullopt;
  }
  const bool virgola = testo.find(',') != std::string_view::npos;
  const bool bordi =
      !testo.empty() && (testo.front() == ' ' || testo.front() == '\t' ||
                         testo.back() == ' ' || testo.back() == '\t');
  const bool apre = !testo.empty() && testo.front() == '"';
  if (!virgola && !bordi && !apre) return std::string(testo);
  if (testo.find('"') != std::string_view::npos) return std::nullopt;
  return "\"" + std::string(testo) + "\"";
}

std::string testo_linea(const testi_recuperati& t,
                        std::vector<std::string>& avvisi) {
  const testo_linea_recuperato& l = t.linea;
  scrittura w;
  sezione(w, l.note, "[generale]");
  auto lunghezza = [&] {
    if (l.lunghezza) w.record("lunghezza percorso", {n(*l.lunghezza)});
  };
  if (!l.lunghezza_per_ultima) lunghezza();
  for (const auto& p : l.progressive) {
    w.record("progressiva chilometrica " + p.quale,
             {n(p.inizio), n(p.fine), n(p.terzo)});
  }
  w.record("sfondo uno", {n(l.sfondo[0])});
  w.record("sfondo due", {n(l.sfondo[1])});
  w.record("sfondo tre", {n(l.sfondo[2])});
  for (const auto& r : l.ripetizioni) {
    const std::string keyword =
        r.codici == 0 ? "ripetizione segnali codici"
                      : "ripetizione segnali " + n(r.codici) + " codici";
    w.record(keyword, {n(r.inizio), n(r.fine)});
  }
  if (l.lunghezza_per_ultima) lunghezza();

  sezione(w, l.note, "[curve]");
  for (const riga_curva& c : l.curve) {
    w.record(std::string("curva") + (c.sinistra ? 's' : 'd') + n(c.classe),
             {n(c.inizio), n(c.lunghezza)});
  }
  sezione(w, l.note, "[pendenze]");
  for (const riga_gradino& p : l.pendenze) {
    w.record("pendenza", {n(p.posizione), n(p.valore)});
  }
  sezione(w, l.note, "[montagne]");
  for (const riga_montagna& m : l.montagne) {
    w.record("montagna", {n(m.inizio), n(m.fine), n(m.tipo)});
  }
  sezione(w, l.note, "[cartelli]");
  for (const riga_indicatore& b : l.indicatori) {
    const bool destra =
        b.destra[0] != 0 || b.destra[1] != 0 || b.destra[2] != 0;
    auto d = [&](std::size_t i) { return destra ? n(b.destra[i]) : ""; };
    w.record(
        "indicatori_vmax",
        {n(b.posizione), n(b.sinistra[0]), n(b.sinistra[1]), n(b.sinistra[2]),
         n(b.strisce_sinistra), d(0), d(1), d(2), n(b.strisce_destra)});
  }
  sezione(w, l.note, "[indicazioni]");
  for (const riga_cartello& c : l.cartelli) {
    w.record("cartello_indicatore",
             {n(c.posizione), scritta(c.scritta,
                                      "the indication board's "
                                      "inscription",
                                      avvisi)});
  }
  if (l.fine_con_guasto) {
    w.nota(nota_di(l.note, "guasto"));
    w.record("pendenza", {n(-1), n(0)});
  }
  w.riga("[fine]");
  return std::move(w.str());
}

std::string testo_treno(const testi_recuperati& t,
                        std::vector<std::string>& avvisi) {
  const testo_treno_recuperato& r = t.treno;
  scrittura w;
  sezione(w, r.note, "[generale]");
  w.record("numero vetture", {n(r.vetture)});
  w.record("percentuale massa frenata", {n(r.massa_frenata)});
  w.record("sabbia", {n(r.sabbia)});
  // Blanks alone part the clock's three numbers, as in the compiled-in
  // text.
  w.riga("orologio,    " + n(r.orologio[0]) + "              " +
         n(r.orologio[1]) + "            " + n(r.orologio[2]));
  sezione(w, r.note, "[aderenze]");
  for (const riga_gradino& a : r.aderenze) {
    w.record("aderenza", {n(a.posizione), n(a.valore)});
  }
  sezione(w, r.note, "[vel_limite]");
  for (const riga_gradino& v : r.velocita) {
    w.record("velocita", {n(v.posizione), n(v.valore)});
  }

  using k = record_treno::tipo;
  constexpr std::string_view titoli[] = {"[stazioni]", "[rallentamenti]",
                                         "[segnali]", "[codici]"};
  int corrente = -1;
  int aperte = -1;  // every section up to this one has its heading
  auto apri = [&](int s) {
    if (s > aperte) {
      for (int i = aperte + 1; i <= s; ++i) {
        sezione(w, r.note, titoli[static_cast<std::size_t>(i)]);
      }
      aperte = s;
    } else {
      // Back to a section already written: these records are read after
      // the ones above.
      w.nota(nota_di(r.note, "ancora"));
      w.riga(titoli[static_cast<std::size_t>(s)]);
    }
    corrente = s;
  };
  for (const record_treno& rec : r.ordine) {
    const int s = static_cast<int>(rec.kind);
    if (s != corrente) apri(s);
    switch (rec.kind) {
      case k::stazione: {
        const riga_stazione& x = r.stazioni[rec.indice];
        if (x.parziale && !nota_di(r.note, "parziale").empty()) {
          w.nota(nota_di(r.note, "parziale"));
        }
        const std::string valori[] = {
            n(x.posizione), n(x.categoria), n(x.lunghezza), n(x.opzione_1),
            n(x.opzione_5), n(x.opzione_4), n(x.numero_1),  n(x.numero_2),
            n(x.opzione_2), n(x.numero_3),  n(x.numero_4),  n(x.numero_5),
            n(x.opzione_3), n(x.ore),       n(x.minuti),    n(x.secondi)};
        // Spaced as the compiled-in rows: position, kind and length, the
        // three options, the numbers in threes, the time.
        constexpr std::string_view prima[] = {
            "  ", "  ", "  ", "  ", " ",    " ",  "  ", "",
            "",   "  ", "",   "",   "    ", "  ", "",   " "};
        std::string riga = "stazione,";
        const std::size_t quanti =
            x.valori_letti > 0 ? static_cast<std::size_t>(x.valori_letti) : 16;
        for (std::size_t i = 0; i < quanti; ++i) {
          if (i > 0) riga += ",";
          riga += std::string(prima[i]) + valori[i];
        }
        if (x.valori_letti > 0) {
          // The next value is missing: reading ends here with a fault, as
          // it did when the files were compiled.
          w.riga(riga);
          return std::move(w.str());
        }
        w.riga(riga + ", " + scritta(x.nome, "the station's name", avvisi));
        break;
      }
      case k::rallentamento: {
        const riga_rallentamento& x = r.rallentamenti[rec.indice];
        w.record("rallentamento", {n(x.inizio), n(x.velocita), n(x.lunghezza),
                                   n(x.tipo), n(x.preavviso), n(x.variazione)});
        break;
      }
      case k::segnale: {
        const riga_segnale& x = r.segnali[rec.indice];
        w.riga("segnale,  " + n(x.posizione) + ",   " + n(x.sinistra[0]) +
               ", " + n(x.sinistra[1]) + ", " + n(x.sinistra[2]) + ",  " +
               n(x.sinistra[3]) + ", " + n(x.rapporto) + ",    " +
               n(x.destra[0]) + ",  " + n(x.destra[1]) + "," + n(x.destra[2]) +
               "," + n(x.destra[3]) + ", " + n(x.tempo));
        break;
      }
      case k::abbattimento: {
        const riga_abbattimento& x = r.abbattimenti[rec.indice];
        w.record("abbattimento", {n(x.posizione), n(x.velocita)});
        break;
      }
    }
  }
  if (aperte < 3) apri(3);
  w.riga("[fine]");
  return std::move(w.str());
}

}  // namespace compattatore::tool
