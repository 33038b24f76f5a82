#include "eval/worktime/MpaAufteilen.h"

#include "db/DbStatus.h"
#include "eval/Tagschritt.h"
#include "eval/worktime/MpaMlt.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

const char* const kZehnBlanks = "          ";

// Boundary markers of one kind of split.
struct Marken {
  const char* beginn;   // real begin
  const char* ende;     // real end
  const char* ankunft;  // piece begun at an arrival
  const char* abgang;   // piece ended at a departure
};
const Marken kArbeit = {"PA", "PE", "BG", "EG"};
const Marken kUnterbrechung = {"PU", "PW", "UG", "WG"};

void Schreiben(MltSatz m, int& zaehler, const char* funktion, const char* text) {
  int st = Mpa_GrenzeSchreiben(m, zaehler);
  if (st != DB_OK) Log_Fehler(funktion, text, st);
}

}  // namespace

void Mlt_BeginnEnde(const std::string& batch, const NzaSatz& o, int& zaehler) {
  Schreiben(Mpa_Grenze(batch, o.NzaBmk, o.NzaDtmDat, o.NzaDtmUhr, o), zaehler, "Mlt_BeginnEnde()",
            "Fehler Mlt_PKeyIns(1)");
  Schreiben(Mpa_Grenze(batch, o.NzaEmk, o.NzaEdtDat, o.NzaEdtUhr, o), zaehler, "Mlt_BeginnEnde()",
            "Fehler Mlt_PKeyIns(2)");
}

void Mlt_KommenGehen(const std::string& batch, const NzaSatz& o, int& zaehler) {
  if (Tag_OpenBereich(o.NzaPnr, Kalender_Vortag(o.NzaDtmDat), o.NzaEdtDat) != DB_OK) return;
  TagSatz tag;
  while (Tag_FetchBereich(tag) == DB_OK) {
    Schreiben(Mpa_Grenze(batch, "KM", tag.TagVon, tag.TagUhr, o), zaehler, "MltKommenGehen()",
              "Fehler Mlt_PKeyIns(1)");
    Schreiben(Mpa_Grenze(batch, "GH", tag.TagBis, tag.TagEnd, o), zaehler, "Mlt_KommenGehen()",
              "Fehler Mlt_PKeyIns(2)");
  }
  (void)Tag_CloseBereich();  // read in full at its open: closing only frees the rows
}

void Mlt_Unterbr_Mel(const std::string& batch, const NzaSatz& o, int& zaehler) {
  if (Mel_PnrZeitCurOpen("MPA", o.NzaApl, o.NzaApk, o.NzaApp, o.NzaPnr, o.NzaDtmDat, o.NzaDtmUhr,
                         o.NzaEdtDat, o.NzaEdtUhr) != DB_OK)
    return;
  MelSatz mel;
  while (Mel_PnrZeitCurFetch(mel) == DB_OK) {
    if (mel.MelMsk != "PU" && mel.MelMsk != "PW") continue;
    Schreiben(Mpa_Grenze(batch, mel.MelMsk, mel.KeyDat, mel.KeyUhr, o), zaehler,
              "Mlt_Unterbr_Mel()", "Fehler Mlt_PKeyIns");
  }
  (void)Mel_PnrZeitCurClose();  // read in full at its open: closing only frees the rows
}

int Mpa_SchichtZurSpanne(const std::string& apl, const std::string& beg, const std::string& end,
                         AemTagSatz& aem) {
  if (end < beg) return 0;
  // The workplace's own assignments when it has any, else its group's.
  int anzahl = 0;
  (void)Aem_CountKng(apl, anzahl);  // a failed count leaves 0: the group's assignments are used
  std::string apg = apl;
  int kng = 2;
  if (anzahl == 0) {
    AplSatz a;
    a.AplApl = apl;
    (void)Apl_PKeyReadk(a);  // a failed read leaves the group empty: no shift is found
    apg = a.AplApg;
    kng = 1;
  }
  const int haelfte = Zeit_Differenz(end, beg) / 2;
  std::string tag = Kalender_Vortag(beg.substr(0, 8));
  const std::string letzter = end.substr(0, 8);
  bool gefunden = false;
  while (!gefunden && tag <= letzter) {
    if (Aem_OpenTag(apg, kng, tag) == DB_OK) {
      AemTagSatz a;
      while (!gefunden && Aem_FetchTag(a) == DB_OK) {
        if (Emo_Open(a.AemEmo, a.KalBtp) != DB_OK) continue;
        EmoSatz s;
        while (!gefunden && Emo_Fetch(s) == DB_OK) {
          const std::string S = Mpa_Stempel(tag, Minuten_InZeit(s.EmoBeg));
          const std::string U =
              Mpa_Stempel(s.EmoBeg < s.EmoEnd ? tag : Tag_Plus(tag, 1), Minuten_InZeit(s.EmoEnd));
          gefunden = (S <= beg && beg <= U && S <= end && end <= U) ||  // inside the shift
                     (beg <= S && end >= U) ||                          // covers the shift
                     (S < beg && beg < U && Zeit_Differenz(U, beg) >= haelfte) ||
                     (S < end && end < U && Zeit_Differenz(end, S) >= haelfte);
          if (gefunden) aem = a;
        }
        (void)Emo_Close();  // read in full at its open: closing only frees the rows
      }
      (void)Aem_CloseTag();  // read in full at its open: closing only frees the rows
    }
    if (gefunden) break;
    // A walk over the calendar's days: a gap (or the end of the calendar)
    // ends the search.
    if (Datum_Tage(2, 1, tag, tag) != DB_OK) break;
  }
  return gefunden ? 1 : 0;
}

void TeilSchritt_Write(NzaSatz& p) {
  AemTagSatz a;
  if (Mpa_SchichtZurSpanne(p.NzaApl, Mpa_Stempel(p.NzaDtmDat, p.NzaDtmUhr),
                           Mpa_Stempel(p.NzaEdtDat, p.NzaEdtUhr), a) == 1) {
    p.NzaEmo = a.AemEmo;
    p.NzaTtp = a.KalBtp;
    p.NzaJwo = std::to_string(a.BakJhr);
    p.NzaWtg = a.BakWtg;
    p.NzaJtg = a.BakJtg;
    p.NzaWoc = a.BakWch;
  } else {
    BakSatz bak;
    if (Bak_DatumRead(p.NzaDtmDat, bak) == DB_OK) {
      p.NzaJwo = std::to_string(bak.BakJhr);
      p.NzaWtg = bak.BakWtg;
      p.NzaJtg = bak.BakJtg;
      p.NzaWoc = bak.BakWch;
    } else {
      p.NzaJwo.clear();
      p.NzaWtg = p.NzaJtg = p.NzaWoc = 0;
    }
    p.NzaEmo = kZehnBlanks;
    p.NzaTtp.clear();
  }
  int st = Nza_PKeyIns(p);
  if (st == DB_DUP_KEY) {
    // The first piece has the key of the closed row and replaces it.
    st = Nza_PKeyUpd(p);
    if (st != DB_OK) Log_Fehler("TeilSchritt_Write", "Nza_PKeyUpd", st);
  } else if (st != DB_OK) {
    Log_Fehler("TeilSchritt_Write", "Nza_PKeyIns", st);
  }
}

void Mpa_SpanneAufteilen(const NzaSatz& o, MpaSpanne art) {
  const Marken& mk = art == MpaSpanne::Arbeit ? kArbeit : kUnterbrechung;
  const std::string batch = Mpa_BatchKey();
  int zaehler = 0;
  NzaSatz p = o;

  if (art == MpaSpanne::Arbeit) {
    Mlt_BeginnEnde(batch, o, zaehler);
  } else {
    Mlt_Unterbr_Mel(batch, o, zaehler);
  }
  Mlt_KommenGehen(batch, o, zaehler);

  if (Mlt_Open(kMpaMltErf, batch) == DB_OK) {
    bool angekommen = false;  // an arrival since the last departure
    bool begonnen = false;    // the real begin was seen and its end not yet
    bool offen = false;       // a piece begun at the real begin is open
    MltSatz m;
    while (Mlt_Fetch(m) == DB_OK) {
      bool schreiben = false;
      if (m.MltObj == "KM") {
        if (!offen) {
          p.NzaDtmDat = m.MltMdtDat;
          p.NzaDtmUhr = m.MltMdtUhr;
          p.NzaBmk = mk.ankunft;
          p.NzaBbn = 0;
        }
        angekommen = true;
      } else if (m.MltObj == "GH") {
        p.NzaEdtDat = m.MltMdtDat;
        p.NzaEdtUhr = m.MltMdtUhr;
        p.NzaEmk = mk.abgang;
        p.NzaEbn = 0;
        if (begonnen) schreiben = true;
        offen = false;
        angekommen = false;
      } else if (m.MltObj == mk.beginn) {
        p.NzaDtmDat = m.MltMdtDat;
        p.NzaDtmUhr = m.MltMdtUhr;
        p.NzaBmk = mk.beginn;
        p.NzaBbn = o.NzaBbn;
        offen = true;
        begonnen = true;
      } else if (m.MltObj == mk.ende) {
        if (!angekommen) {
          p.NzaDtmDat = m.MltMdtDat;
          p.NzaDtmUhr = m.MltMdtUhr;
          p.NzaBmk = mk.ankunft;
          p.NzaBbn = 0;
        }
        p.NzaEdtDat = m.MltMdtDat;
        p.NzaEdtUhr = m.MltMdtUhr;
        p.NzaEmk = mk.ende;
        p.NzaEbn = o.NzaEbn;
        schreiben = true;
        offen = false;
        begonnen = false;
      }
      if (schreiben) TeilSchritt_Write(p);
    }
    (void)Mlt_Close();  // read in full at its open: closing only frees the rows
  }
  Mpa_BatchLoeschen(batch, "Mpa_SpanneAufteilen");
}
