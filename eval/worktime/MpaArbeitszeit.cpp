#include "eval/worktime/MpaArbeitszeit.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/Tagschritt.h"
#include "eval/worktime/MpaAufteilen.h"
#include "eval/worktime/MpaMlt.h"
#include "eval/worktime/MpaPersonZeit.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

void Schreiben(MltSatz m, int& zaehler, const char* funktion, const char* text) {
  int st = Mpa_GrenzeSchreiben(m, zaehler);
  if (st != DB_OK) Log_Fehler(funktion, text, st);
}

// The four state flags and the boundary kinds that set or clear them.
enum Flagge { kAnwesend, kArbeit, kPause, kUnterbrechung, kKeine };

Flagge FlaggeDerArt(const std::string& art, bool& setzt) {
  struct Eintrag {
    const char* art;
    Flagge flagge;
    bool setzt;
  };
  static const Eintrag kArten[] = {
      {"KM", kAnwesend, true},       {"GH", kAnwesend, false},     {"AB", kArbeit, true},
      {"PA", kArbeit, true},         {"BG", kArbeit, true},        {"AE", kArbeit, false},
      {"AT", kArbeit, false},        {"EG", kArbeit, false},       {"PE", kArbeit, false},
      {"BP", kPause, true},          {"EP", kPause, false},        {"PU", kUnterbrechung, true},
      {"AU", kUnterbrechung, true},  {"UG", kUnterbrechung, true}, {"PW", kUnterbrechung, false},
      {"AW", kUnterbrechung, false}, {"WG", kUnterbrechung, false}};
  for (const Eintrag& e : kArten) {
    if (art == e.art) {
      setzt = e.setzt;
      return e.flagge;
    }
  }
  return kKeine;
}

// Sums of one work row, in seconds.
struct ArbeitSummen {
  long long abz = 0, nza = 0, bza = 0, pza = 0, bzu = 0, ubz = 0, pzu = 0, nzu = 0, uza = 0;
};
// Sums of the interruption being walked, in seconds.
struct UnterbrechungSummen {
  long long aussen1 = 0, aussen2 = 0, alle = 0, anwesend = 0, pause = 0;
};

// Adds the interval `d` to the sums the flags select; nothing outside work.
void Verbuchen(const bool f[4], long long d, ArbeitSummen& a, UnterbrechungSummen& u) {
  if (!f[kArbeit]) return;
  const bool anw = f[kAnwesend], pau = f[kPause], unt = f[kUnterbrechung];
  if (!unt) {
    if (anw) a.abz += d;
    a.bza += d;
    if (pau) {
      a.pza += d;
    } else {
      a.nza += d;
    }
    return;
  }
  a.bzu += d;
  u.alle += d;
  if (pau) {
    a.pzu += d;
    u.pause += d;
  } else {
    a.nzu += d;
    a.uza += d;
    u.aussen1 += d;
    u.aussen2 += d;
  }
  if (anw) {
    a.ubz += d;
    u.anwesend += d;
  }
}

// Reads the interruption row of `r`'s key that begins at the boundary.
bool Nza_SA_B_Readk(const MltSatz& grenze, const NzaSatz& r, NzaSatz& u) {
  u = NzaSatz();
  u.NzaSa = 2;
  u.NzaApl = r.NzaApl;
  u.NzaApk = r.NzaApk;
  u.NzaApp = r.NzaApp;
  u.NzaPnr = r.NzaPnr;
  u.NzaDtmDat = grenze.MltMdtDat;
  u.NzaDtmUhr = grenze.MltMdtUhr;
  int st = Nza_PKeyReadk(u);
  if (st != DB_OK) {
    Log_Fehler("Nza_SA_B_Readk()", "Nza_PKeyReadk", st);
    return false;
  }
  return true;
}

void UnterbrechungSchreiben(NzaSatz& u, const UnterbrechungSummen& s, bool ruesten) {
  if (ruesten) {
    u.NzaUzr = Mpa_MinutenSekunden(s.aussen1);
    u.NzaUbz = Mpa_MinutenSekunden(s.pause);
    u.NzaRf1 = Mpa_MinutenSekunden(s.anwesend);
    u.NzaUza = u.NzaNzu = u.NzaBzu = u.NzaPzu = 0;
  } else {
    u.NzaUza = Mpa_MinutenSekunden(s.aussen1);
    u.NzaNzu = Mpa_MinutenSekunden(s.aussen2);
    u.NzaBzu = Mpa_MinutenSekunden(s.alle);
    u.NzaPzu = Mpa_MinutenSekunden(s.pause);
    u.NzaRf1 = Mpa_MinutenSekunden(s.anwesend);
    u.NzaUzr = u.NzaUbz = 0;
  }
  int st = Nza_PKeyUpd(u);
  if (st != DB_OK) Log_Fehler("Nza_PKeyUpd(SA_B)", "Nza_PKeyUpd", st);
}

}  // namespace

double Mpa_MinutenSekunden(long long sekunden) {
  return static_cast<double>(sekunden / 60) + static_cast<double>(sekunden % 60) * 0.01;
}

void Mlt_Unterbr_Nza(const std::string& batch, const NzaSatz& r, int& zaehler) {
  std::string von = Mpa_Stempel(r.NzaDtmDat, r.NzaDtmUhr);
  std::string bis = Mpa_Stempel(r.NzaEdtDat, r.NzaEdtUhr);
  if (von == bis) {
    von = Mpa_Stempel(r.NzaDtmDat, "000000");
    bis = Mpa_Stempel(r.NzaDtmDat, "235959");
  }
  if (Nza_PKeyVon_Open(2, r.NzaApl, r.NzaApk, r.NzaApp, r.NzaPnr, von, bis) != DB_OK) return;
  NzaSatz u;
  while (Nza_PKeyVon_Read(u) == DB_OK) {
    if (u.NzaBmk != "PU" && u.NzaEmk != "PW" && u.NzaBmk != "UG" && u.NzaEmk != "UW") continue;
    Schreiben(Mpa_Grenze(batch, u.NzaBmk, u.NzaDtmDat, u.NzaDtmUhr, r), zaehler,
              "Mlt_Unterbr_Nza(1)", "Fehler Mlt_PKeyIns");
    Schreiben(Mpa_Grenze(batch, u.NzaEmk, u.NzaEdtDat, u.NzaEdtUhr, r), zaehler,
              "Mlt_Unterbr_Nza(2)", "Fehler Mlt_PKeyIns");
  }
  (void)Nza_PKeyVon_Close();  // read in full at its open: closing only frees the rows
}

void Mlt_ZeitDaten_Bde(const std::string& batch, const NzaSatz& r, int& zaehler) {
  if (Emo_OpenPms(r.NzaEmo, r.NzaTtp, r.NzaDtmDat) != DB_OK) return;
  // A break time not after the shift's begin lies on the following day.
  const std::string folgetag = Tag_Plus(r.NzaDtmDat, 1);
  EmoPmsSatz p;
  while (Emo_FetchPms(p) == DB_OK) {
    const std::string& tagBeginn = p.EmoBeg >= p.PmsBeg ? folgetag : r.NzaDtmDat;
    Schreiben(Mpa_Grenze(batch, "BP", tagBeginn, Minuten_InZeit(p.PmsBeg), r), zaehler,
              "Mlt_ZeitDaten_Bde()", "Fehler Mlt_PKeyIns(1)");
    const std::string& tagEnde = p.EmoBeg >= p.PmsEnd ? folgetag : r.NzaDtmDat;
    Schreiben(Mpa_Grenze(batch, "EP", tagEnde, Minuten_InZeit(p.PmsEnd), r), zaehler,
              "Mlt_ZeitDaten_BDE()", "Fehler Mlt_PKeyIns(2)");
  }
  (void)Emo_ClosePms();  // read in full at its open: closing only frees the rows
}

void Mpa_ZeitLauf(const std::string& batch, NzaSatz& r) {
  const bool unterbrechungen = Korr_Parameter().auswertung[5] == 1;
  bool flaggen[4] = {false, false, false, false};
  ArbeitSummen a;
  UnterbrechungSummen u;
  NzaSatz unterbrechung;
  bool unterbrechungGelesen = false;
  std::string vorher;

  if (Mlt_Open(kMpaMltErf, batch) == DB_OK) {
    MltSatz m;
    while (Mlt_Fetch(m) == DB_OK) {
      bool setzt = false;
      const Flagge f = FlaggeDerArt(m.MltObj, setzt);
      if (f == kKeine) continue;
      const std::string jetzt = Mpa_Stempel(m.MltMdtDat, m.MltMdtUhr);
      if (flaggen[kAnwesend] || flaggen[kArbeit] || flaggen[kPause] || flaggen[kUnterbrechung]) {
        Verbuchen(flaggen, Zeit_Differenz(jetzt, vorher), a, u);
      }
      vorher = jetzt;
      flaggen[f] = setzt;
      if (f != kUnterbrechung) continue;
      if (setzt) {
        u = UnterbrechungSummen();
        if (unterbrechungen) unterbrechungGelesen = Nza_SA_B_Readk(m, r, unterbrechung);
      } else if (unterbrechungen && unterbrechungGelesen) {
        // Only a row read at its begin is written: a row whose read failed
        // keeps its stored values.
        UnterbrechungSchreiben(unterbrechung, u, r.NzaRau == 1);
        unterbrechungGelesen = false;
      }
    }
    (void)Mlt_Close();  // read in full at its open: closing only frees the rows
  }

  r.NzaNza = Mpa_MinutenSekunden(a.nza);
  r.NzaBzA = Mpa_MinutenSekunden(a.bza);
  r.NzaUza = Mpa_MinutenSekunden(a.uza);
  r.NzaAbz = Mpa_MinutenSekunden(a.abz);
  r.NzaPza = Mpa_MinutenSekunden(a.pza);
  r.NzaNzu = Mpa_MinutenSekunden(a.nzu);
  r.NzaBzu = Mpa_MinutenSekunden(a.bzu);
  r.NzaUbz = Mpa_MinutenSekunden(a.ubz);
  r.NzaPzu = Mpa_MinutenSekunden(a.pzu);
  r.NzaNzr = r.NzaBzr = r.NzaUzr = r.NzaRbz = r.NzaPzr = 0;
  r.NzaSol = r.NzaIst = r.NzaPau = r.NzaRf1 = 0;
}

void Nza_MPA_Arbeitszeit(const MelSatz& m) {
  const std::string batch = Mpa_BatchKey();
  int zaehler = 0;
  if (Nza_OpenPnr(1, m.KeyApl, m.KeyApk, m.KeyApp, m.KeyPnr) != DB_OK) return;
  NzaSatz r;
  while (Nza_FetchPnr(r) == DB_OK) {
    if (r.NzaEnd > 0) {
      Mlt_BeginnEnde(batch, r, zaehler);
      Mlt_Unterbr_Nza(batch, r, zaehler);
      if (r.NzaPzm == 1) {
        Mlt_PA_PersonZeit(batch, r, zaehler);
      } else {
        Mlt_ZeitDaten_Bde(batch, r, zaehler);
      }
      Mpa_ZeitLauf(batch, r);
      Mpa_BatchLoeschen(batch, "Nza_MPA_Arbeitszeit");
      r.NzaErf = kNzaErfArbeitszeit;
    }
    int st = Nza_PKeyUpd(r);
    if (st != DB_OK) Log_Fehler("Nza_MPA_Arbeitszeit", "Nza_PKeyUpd", st);
  }
  (void)Nza_ClosePnr();  // read in full at its open: closing only frees the rows
}
