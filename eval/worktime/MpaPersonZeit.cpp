#include "eval/worktime/MpaPersonZeit.h"

#include "db/DbStatus.h"
#include "eval/Tagschritt.h"
#include "eval/worktime/MpaMlt.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

bool Leer(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

// A boundary row of the day of `z`.
MltSatz Grenze(const std::string& batch, const ZtgAzvSatz& z, const char* obj,
               const std::string& stempel) {
  MltSatz m;
  m.MltErf = kMpaMltErf;
  m.MltDat = batch;
  m.MltObj = obj;
  m.MltPnr = z.ZtgPnr;
  m.MltArg = z.ZtgAzt;
  m.MltEmo = z.ZtgAgr;
  m.MltTtp = z.ZtgTtp;
  m.MltWoc = z.BakWch;
  m.MltWtg = z.BakWtg;
  m.MltJtg = z.BakJtg;
  m.MltJwo = z.ZtgVon.substr(0, 4);
  m.MltMdtDat = stempel.substr(0, 8);
  m.MltMdtUhr = stempel.size() > 8 ? stempel.substr(8) : "";
  return m;
}

void Schreiben(MltSatz m, int& zaehler, const char* funktion, const char* text) {
  int st;
  if (m.MltObj == "GH") {
    m.MltLfn = kMpaLfnAbgang + ++zaehler;
    st = Mlt_PKeyIns(m);
  } else {
    st = Mpa_GrenzeSchreiben(m, zaehler);
  }
  if (st != DB_OK) Log_Fehler(funktion, text, st);
}

// The counter continues after the highest running number of the list (the
// departure numbers above the base do not count).
void ZaehlerFortsetzen(const std::string& batch, int& zaehler) {
  int hoechste = 0;
  if (Mlt_MaxLfn(kMpaMltErf, batch, hoechste) == DB_OK && hoechste < kMpaLfnAbgang &&
      hoechste > zaehler) {
    zaehler = hoechste;
  }
}

}  // namespace

void Write_Protokoll(const ErrSatz& err) {
  int st = Err_PKeyIns(err);
  if (st != DB_OK) Log_Fehler("Write_Protokoll", "Err_PKeyIns", st);
}

int Mlt_PA_TagesModell(const std::string& pnr, const std::string& tag, ZtgAzvSatz& z) {
  int st = Ztg_AzvOpen(pnr, tag);
  if (st != DB_OK) {
    Log_Fehler("Mlt_PA_TagesModell", "Ztg_AzvOpen", st);
    return 0;
  }
  st = Ztg_AzvFetch(z);
  (void)Ztg_AzvClose();  // read in full at its open: closing only frees the rows
  if (st == DB_NOT_FOUND) {
    ErrSatz err;
    err.ErrBer = "BDE";
    err.ErrFun = "NZM";
    err.ErrPgm = kMpaMltErf;
    err.ErrEdt = Mpa_Stempel(tag, "000001");
    err.ErrFnr = kErrFnrKeinTagesModell;
    err.ErrPnr = pnr;
    Write_Protokoll(err);
    return 0;
  }
  if (st != DB_OK) {
    Log_Fehler("Mlt_PA_TagesModell", "Ztg_AzvFetch", st);
    return 0;
  }
  GazSatz gaz;
  if (Gaz_PKeyReadk(pnr, tag, gaz) == DB_OK) {
    z.AzvMav = gaz.GazMav;
    z.AzvMab = gaz.GazMab;
    z.AzvNov = gaz.GazNov;
    z.AzvNob = gaz.GazNob;
  }
  return 1;
}

void Mlt_PA_Daten_PZM(const std::string& batch, const ZtgAzvSatz& z, int& zaehler) {
  const std::string& tag = z.ZtgVon;
  TagSatz personTag;
  int st = Tag_PKeyReadk(z.ZtgPnr, tag, personTag);
  if (st != DB_OK) {
    Log_Fehler("Tag_PKeyReadk", "Mlt_PA_Daten_PZM", st);
    return;
  }
  const std::string tb = Mpa_Stempel(tag, Minuten_InZeit(z.AzvNov));
  const std::string te =
      Mpa_Stempel(z.AzvNob < z.AzvNov ? Tag_Plus(tag, 1) : tag, Minuten_InZeit(z.AzvNob));

  st = Bup_AbrTag_ReadOpen(z.ZtgPnr, tb, te);
  if (st != DB_OK) {
    Log_Fehler("Mlt_PA_Datem_PZM", "Bup_AbrTag_Read()", st);
    return;
  }
  BupSatz bup;
  st = Bup_AbrTag_ReadFetch(bup);
  if (st == DB_NOT_FOUND) {
    // No booking period: the target times stand for arrival and departure.
    Schreiben(Grenze(batch, z, "KM", tb), zaehler, "Mlt_PA_Datem_PZM", "Mlt_PKeyIns(AzvSolBeg)");
    Schreiben(Grenze(batch, z, "GH", te), zaehler, "Mlt_PA_Datem_PZM", "Mlt_PKeyIns(AzvSolEnd)");
  }
  // The day's departure is the one recorded in the person day; without one
  // the person has not left, and every period end inside the target time is
  // the begin of a break.
  const std::string abgang =
      Leer(personTag.TagBis) ? "" : Mpa_Stempel(personTag.TagBis, personTag.TagEnd);
  bool angekommen = false;
  bool gegangen = false;
  for (; st == DB_OK; st = Bup_AbrTag_ReadFetch(bup)) {
    const std::string bb = Mpa_Stempel(bup.BupVon, Minuten_InZeit(bup.BupTvo));
    if (tb <= bb && bb <= te) {
      Schreiben(Grenze(batch, z, angekommen ? "EP" : "KM", bb), zaehler, "Mlt_PA_Datem_PZM",
                "Mlt_PKeyIns(1)");
    } else if (bb < tb && !angekommen) {
      Schreiben(Grenze(batch, z, "KM", tb), zaehler, "Mlt_PA_Datem_PZM", "Mlt_PKeyIns(1)");
    } else if (bb > te && !angekommen) {
      Schreiben(Grenze(batch, z, "KM", te), zaehler, "Mlt_PA_Datem_PZM", "Mlt_PKeyIns(1)");
    }
    angekommen = true;

    const std::string be = Mpa_Stempel(bup.BupBis, Minuten_InZeit(bup.BupTbi));
    const char* art = nullptr;
    std::string wann = be;
    if (tb <= be && be <= te) {
      art = !abgang.empty() && be >= abgang ? "GH" : "BP";
    } else if (be > te && !gegangen) {
      art = "GH";
      wann = te;
    } else if (be < tb && !gegangen) {
      art = "GH";
      wann = tb;
    }
    if (art != nullptr) {
      Schreiben(Grenze(batch, z, art, wann), zaehler, "Mlt_PA_Datem_PZM", "Mlt_PKeyIns(1)");
      if (std::string(art) == "GH") gegangen = true;
    }
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_PA_Datem_PZM", "Bup_AbrTag_Read()", st);
  (void)Bup_AbrTag_ReadClose();  // read in full at its open: closing only frees the rows
}

void Mlt_PA_Pausen_PZM(const std::string& batch, const ZtgAzvSatz& z, int& zaehler) {
  const std::string& tag = z.ZtgVon;
  if (!Leer(z.AzvPsm)) {
    const std::string sollBeginn = Mpa_Stempel(tag, Minuten_InZeit(z.AzvNov));
    const std::string tagesEnde = Mpa_Stempel(tag, "240000");
    int st = Pse_PKey_ReadOpen(z.AzvPsm);
    if (st == DB_OK) {
      PseSatz pse;
      while ((st = Pse_PKey_ReadFetch(pse)) == DB_OK) {
        int von = pse.PseVon;
        int bis = pse.PseBis;
        GpsSatz gps;
        if (Gps_PKeyReadk(z.ZtgPnr, tag, pse.PseLfd, gps) == DB_OK) {
          von = gps.GpsVon;
          bis = gps.GpsBis;
        }
        // A break time before the target begin belongs to the next day.
        for (auto [minuten, art, text] : {std::tuple{von, "BP", "Mlt_PKeyIns(MSK_BP)"},
                                          std::tuple{bis, "EP", "Mlt_PKeyIns(MSK_EP)"}}) {
          const std::string zeit = Minuten_InZeit(minuten);
          const std::string s = Mpa_Stempel(tag, zeit);
          const std::string datum = s >= sollBeginn && s < tagesEnde ? tag : Tag_Plus(tag, 1);
          Schreiben(Grenze(batch, z, art, Mpa_Stempel(datum, zeit)), zaehler, "Mlt_PA_Pausen_PZM",
                    text);
        }
      }
      (void)Pse_PKey_ReadClose();  // read in full at its open: closing only frees the rows
    }
    if (st != DB_NOT_FOUND) Log_Fehler("Mlt_PA_Pausen_PZM", "Cursor: Pse_PKey_Read()", st);
  }

  // Merge: of two neighbouring rows of one kind the later is dropped, but of
  // two break ends the earlier, so overlapping breaks keep the first begin and
  // the last end.
  if (Mlt_Open(kMpaMltErf, batch) != DB_OK) return;
  std::string vorherigeArt = "   ";
  MltSatz vorherige;
  MltSatz m;
  while (Mlt_Fetch(m) == DB_OK) {
    if (m.MltObj == vorherigeArt) {
      int st = Mlt_PKeyDel(m.MltObj == "EP" ? vorherige : m);
      if (st != DB_OK) Log_Fehler("Mlt_PA_Pausen_PZM", "Mlt_PKeyDel", st);
    }
    vorherigeArt = m.MltObj;
    vorherige = m;
  }
  (void)Mlt_Close();  // read in full at its open: closing only frees the rows
}

void Mlt_PA_PersonZeit(const std::string& batch, const NzaSatz& r, int& zaehler) {
  if (Bak_OpenBereich(Kalender_Vortag(r.NzaDtmDat), r.NzaEdtDat) != DB_OK) return;
  BakSatz bak;
  while (Bak_FetchBereich(bak) == DB_OK) {
    ZtgAzvSatz z;
    if (Mlt_PA_TagesModell(r.NzaPnr, bak.BakDtm, z) != 1) continue;
    ZaehlerFortsetzen(batch, zaehler);
    Mlt_PA_Daten_PZM(batch, z, zaehler);
    Mlt_PA_Pausen_PZM(batch, z, zaehler);
  }
  (void)Bak_CloseBereich();  // read in full at its open: closing only frees the rows
}
