#include "eval/machine/DlzAbgleich.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "eval/machine/DlzReplay.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

constexpr int kDlzSa = 13;

bool Ziffern(const std::string& s, size_t laenge) {
  return s.size() == laenge &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A date and time that the table stores as one instant and orders as the
// text "yyyymmddHHMMSS" orders.
bool Zeitpunkt(const std::string& d, const std::string& u) {
  if (!Ziffern(d, 8) || !Ziffern(u, 6)) return false;
  auto zahl = [](const std::string& s, size_t i, size_t n) { return std::stoi(s.substr(i, n)); };
  const int jahr = zahl(d, 0, 4), monat = zahl(d, 4, 2), tag = zahl(d, 6, 2);
  if (jahr < 1 || monat < 1 || monat > 12 || tag < 1 || tag > Monat_Laenge(monat, jahr)) {
    return false;
  }
  return u.compare(0, 2, "24") < 0 && u[2] < '6' && u[4] < '6';
}

// The record's key within the workplace's kind-13 records: person and begin.
std::string Schluessel(const NzaSatz& n) {
  return n.NzaPnr + '|' + n.NzaDtmDat + n.NzaDtmUhr;
}

long long Hundertstel(double d) {
  return std::llround(d * 100);
}

// Every column that a read returns, durations and quantities to the
// hundredth, as the table stores them.
auto Spalten(const NzaSatz& n) {
  auto h = Hundertstel;
  return std::make_tuple(
      std::tie(n.NzaSa, n.NzaApl, n.NzaApk, n.NzaApp, n.NzaPnr, n.NzaDtmDat, n.NzaDtmUhr, n.NzaBeg,
               n.NzaBbn, n.NzaBln, n.NzaBmk, n.NzaEdtDat, n.NzaEdtUhr, n.NzaEnd, n.NzaEbn, n.NzaEln,
               n.NzaEmk, n.NzaUbg, n.NzaRau, n.NzaVar, n.Nza00A, n.Nza00U, n.Nza00S, n.NzaEmo,
               n.NzaWtg, n.NzaJtg, n.NzaTtp, n.NzaJwo, n.NzaWoc, n.NzaPzm, n.NzaMaz, n.NzaFnr,
               n.NzaErf, n.NzaTnr),
      std::make_tuple(h(n.NzaNzr), h(n.NzaBzr), h(n.NzaUzr), h(n.NzaPzr), h(n.NzaRbz), h(n.NzaNza),
                      h(n.NzaBzA), h(n.NzaUza), h(n.NzaPza), h(n.NzaAbz), h(n.NzaNzu), h(n.NzaBzu),
                      h(n.NzaPzu), h(n.NzaUbz), h(n.NzaSol), h(n.NzaIst), h(n.NzaPau), h(n.NzaRf1),
                      h(n.NzaRf2), h(n.NzaRf3), h(n.NzaGum), h(n.NzaAum)));
}

// One running period of the replay: its entries from position `von` to the
// stop at position `stopp` (positions in replay order), the replay state
// before its first entry and the record its stop writes.
struct Periode {
  size_t von = 0;
  size_t stopp = 0;
  DlzZustand anfang;
  NzaSatz satz;
};

// The stored kind-13 records of the workplace by key; false when they cannot
// be read (logged).
bool Gespeichert(const std::string& apl, std::map<std::string, NzaSatz>& saetze) {
  int st = Nza_OpenAplApp(kDlzSa, apl, kDlzApk, kDlzApp);
  if (st != DB_OK) {
    Log_Fehler("Dlz_Abgleich", "Nza_OpenAplApp", st);
    return false;
  }
  NzaSatz n;
  while ((st = Nza_FetchAplApp(n)) == DB_OK) saetze.emplace(Schluessel(n), n);
  (void)Nza_CloseAplApp();  // read in full at its open: closing only frees the rows
  if (st != DB_NOT_FOUND) {
    Log_Fehler("Dlz_Abgleich", "Cursor-Read fehlgeschlagen", st);
    return false;
  }
  return true;
}

}  // namespace

std::vector<int> Mlt_Schreiben(const DlzZeitlinie& linie, const std::vector<char>& auswahl) {
  std::vector<int> lfn(linie.Anzahl(), -1);
  int naechste = 0;
  for (size_t i = 0; i < linie.Anzahl(); ++i) {
    if (!auswahl.empty() && auswahl[i] == 0) continue;
    MltSatz e = linie.Eintrag(i);
    e.MltLfn = lfn[i] = naechste++;
    int st = Mlt_PKeyIns(e);
    if (st != DB_OK) Log_Fehler(linie.Funktion(i), "Mlt_PKeyIns", st);
  }
  return lfn;
}

bool Dlz_Abgleich(const std::string& apl, const DlzZeitlinie& linie) {
  const size_t anzahl = linie.Anzahl();
  for (size_t i = 0; i < anzahl; ++i) {
    if (!Zeitpunkt(linie.Datum(i), linie.Uhr(i))) return false;
  }

  // Replay order: instant, then running number (the order made).
  std::vector<std::pair<long long, size_t>> ordnung;
  ordnung.reserve(anzahl);
  for (size_t i = 0; i < anzahl; ++i) {
    ordnung.emplace_back(std::stoll(linie.Datum(i) + linie.Uhr(i)), i);
  }
  std::sort(ordnung.begin(), ordnung.end());

  std::vector<Periode> perioden;
  DlzZustand z;
  Periode laufend;
  for (size_t pos = 0; pos < ordnung.size(); ++pos) {
    std::vector<NzaSatz> satz;
    Dlz_Ereignis(z, linie.Eintrag(ordnung[pos].second), &satz);
    if (satz.empty()) continue;
    laufend.stopp = pos;
    laufend.satz = std::move(satz.front());
    perioden.push_back(std::move(laufend));
    laufend = Periode{};
    laufend.von = pos + 1;
    laufend.anfang = z;
  }

  std::map<std::string, NzaSatz> gespeichert;
  if (!Gespeichert(apl, gespeichert)) return false;

  // A key is settled when its first record (a later one with the same key
  // cannot be inserted) equals the stored row.
  std::map<std::string, bool> erledigt;
  for (const Periode& p : perioden) {
    const std::string k = Schluessel(p.satz);
    if (erledigt.count(k) != 0) continue;
    auto alt = gespeichert.find(k);
    erledigt[k] = alt != gespeichert.end() && Spalten(alt->second) == Spalten(p.satz);
  }
  for (const auto& [k, alt] : gespeichert) {
    auto e = erledigt.find(k);
    if (e != erledigt.end() && e->second) continue;
    int st = Nza_PKeyDel(alt);
    if (st != DB_OK) Log_Fehler("Nza_M_A_Loeschen", "Nza_PKeyDel", st);
  }

  // The periods to rebuild, through the time line.
  std::vector<char> auswahl(anzahl, 0);
  std::vector<const Periode*> neu;
  for (const Periode& p : perioden) {
    if (erledigt[Schluessel(p.satz)]) continue;
    neu.push_back(&p);
    for (size_t pos = p.von; pos <= p.stopp; ++pos) auswahl[ordnung[pos].second] = 1;
  }
  if (neu.empty()) return true;
  std::vector<int> lfn = Mlt_Schreiben(linie, auswahl);
  DlzAnfaenge anfaenge;
  for (const Periode* p : neu) anfaenge[lfn[ordnung[p->von].second]] = p->anfang;
  (void)Mlt_Auswerten(linie.Stempel(), anfaenge);  // logs its own failures; the evaluation goes on
  (void)Mlt_Entfernen(linie.Stempel());            // logs its own failures; the evaluation goes on
  return true;
}
