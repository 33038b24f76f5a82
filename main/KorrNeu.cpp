#include "main/KorrNeu.h"

#include <string>
#include <vector>

#include "db/DbStatus.h"
#include "infra/Log.h"
#include "main/KorrAuswertung.h"
#include "main/KorrLoop.h"
#include "main/KorrPps.h"
#include "main/KorrStatus.h"

namespace {

const std::string kKsbLeer = "        ";
const std::string kKfcLeer = "   ";
constexpr const char* kGeneriert = "MldGen";

void MengenNull(MelSatz& r) {
  r.MelGum = r.MelFam = r.MelMam = r.MelNam = 0;
}
void KorrMengenNull(MelSatz& r) {
  r.MelKgm = r.MelKfm = r.MelKmm = r.MelKnm = 0;
}

// A generated message: a copy of r with the kind, object type and function
// code of the entry of `art`; the entry comes back for its planning switch.
// A person's message carries no quantities, corrected ones neither (they
// belong to the clerk's message).
MelSatz Generiert(const MelSatz& r, const char* art, FzuSatz& entry) {
  entry = FzuSatz{};
  entry.FzuMld = art;
  int st = Fzu_MldRead(entry);
  if (st != DB_OK) {
    // Without an entry the message still gets its kind, nothing else. An
    // entry that exists but cannot be read refuses the correction: the
    // generated message would lose its object type for good.
    if (st != DB_NOT_FOUND) {
      Log_Fehler("Korr_Neuemeldung", (std::string("Fzu_MldRead ") + art).c_str(), st);
      Korr_Abweisen();
    }
    entry = FzuSatz{};
    entry.FzuMld = art;
  }
  MelSatz g = r;
  g.ObjTyp = entry.FzuTxt;
  g.MelFcd = entry.FzuFcd;
  g.MelMsk = entry.FzuMld;
  g.MelErf = kGeneriert;
  MengenNull(g);
  KorrMengenNull(g);
  return g;
}

// One person found at the operation before an interruption: that person's
// newest message there.
struct Person {
  std::string msk, apl, apk, app, pnr, awn, dat, uhr;
  std::string sts00E, sts00R, sts00A, sts00U;
};

}  // namespace

void Korr_AusweisNummer(MelSatz& r) {
  PrvSatz p;
  p.PrvPnr = r.KeyPnr;
  int st = Prv_PKeyReadk(p);
  if (st != DB_OK) {
    Log_Fehler("Korr_AusweisNummer", "Prv_PKeyRead", st);
    r.MelAwn = "99999999";
    r.MelFnr = 6001;
    return;
  }
  r.MelAwn = p.PrvAwn;
}

void Korr_NeuBeginn(MelSatz& r) {
  MengenNull(r);
  KorrMengenNull(r);
  r.KeySek = "01";
  if (r.MelMsk == "RB") r.Sts00R = "1";
  if (r.MelMsk == "AB") r.Sts00A = "1";

  FzuSatz pa;
  MelSatz g = Generiert(r, "PA", pa);
  if (Korr_Abgewiesen()) return;
  g.KeyLfn = 1;
  g.KeySek = "02";
  int st = Mel_PKeyIns(g);
  if (st != DB_OK) {
    Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyIns", st);
    return;
  }
  Korr_Auswertung(g);
  if (pa.FzuUpl == 1) Korr_PpsSchnittstelle(g, "+");
}

void Korr_NeuEnde(MelSatz& r) {
  r.KeySek = "99";
  if (r.MelMsk == "AE") {
    if (Mel_NachherPruefen(r) == 1) {
      r.MelAec = "1";
    } else {
      r.MelFnr = 2003;
      r.MelAec = "0";
    }
  } else if (r.MelMsk == "AT") {
    r.MelMsk = "AE";
    r.MelAec = "0";
  } else if (r.MelMsk == "RE") {
    r.MelAec = "0";
  }

  FzuSatz pe;
  MelSatz g = Generiert(r, "PE", pe);
  if (Korr_Abgewiesen()) return;
  g.KeyLfn = 1;
  g.KeySek = "98";
  int st = Mel_PKeyIns(g);
  if (st != DB_OK) {
    Log_Fehler("Korr_AT_AENeu", "Mel_PKeyIns", st);
    return;
  }
  Korr_Auswertung(g);
  if (pe.FzuUpl == 1) Korr_PpsSchnittstelle(g, "+");
}

void Korr_NeuUnterbrechung(MelSatz& r) {
  std::vector<Person> liste;
  r.MelGum = 0;
  r.MelFam = 0;

  const bool unterbrechung = r.MelMsk == "AU";
  if (unterbrechung) {
    r.KeySek = "04";
    r.Sts00U = "1";
  } else {
    r.KeySek = "96";
    r.Sts00U = "0";
  }
  FzuSatz entry;
  MelSatz g = Generiert(r, unterbrechung ? "PU" : "PW", entry);
  if (Korr_Abgewiesen()) return;
  g.KeySek = unterbrechung ? "05" : "95";

  // The persons at the operation: each one's newest earlier message, up to
  // the workplace's own last message.
  if (Mel_VorherCurOpen(r.KeyApl, r.KeyApk, r.KeyApp, r.KeyDat, r.KeyUhr) == DB_OK) {
    MelSatz p;
    if (Mel_VorherCurFetch(p) == DB_OK) {
      if (p.MelMsk == "AE") {
        // The work on the operation has ended: nobody to interrupt.
        r.MelFnr = unterbrechung ? 5009 : 5010;
      } else {
        do {
          if (p.ObjTyp == "M_A") {
            r.Sts00E = p.Sts00E;
            r.Sts00R = p.Sts00R;
            r.Sts00A = p.Sts00A;
            break;
          }
          bool bekannt = false;
          for (const Person& e : liste) {
            if (e.apl == p.KeyApl && e.apk == p.KeyApk && e.app == p.KeyApp && e.pnr == p.KeyPnr) {
              bekannt = true;
              break;
            }
          }
          if (!bekannt && static_cast<int>(liste.size()) < kKorrPersonenListe) {
            liste.push_back({p.MelMsk, p.KeyApl, p.KeyApk, p.KeyApp, p.KeyPnr, p.MelAwn, p.KeyDat,
                             p.KeyUhr, p.Sts00E, p.Sts00R, p.Sts00A, p.Sts00U});
          }
        } while (Mel_VorherCurFetch(p) == DB_OK);
      }
    }
    (void)Mel_VorherCurClose();  // read in full at its open: closing only frees the rows
  }
  if (liste.empty()) return;

  // The generated messages take running numbers after the highest one in use
  // in the booking, so that they never meet an existing message.
  int lfn = 0;
  int st = Mel_BnrMaxLfn(r.KeyBnr, lfn);
  if (st != DB_OK) {
    Log_Fehler("Korr_Neuemeldung", "Mel_BnrMaxLfn", st);
    return;
  }
  const int fnr = g.MelFnr;
  for (const Person& e : liste) {
    // A person who has left gets no message; the others still do.
    if (e.msk == "PE") continue;
    g.Sts00E = e.sts00E;
    g.Sts00R = e.sts00R;
    g.Sts00A = e.sts00A;
    // Each message carries the error of its own person only.
    g.MelFnr = fnr;
    if (unterbrechung) {
      g.Sts00U = "1";
      if (e.msk == "PU") g.MelFnr = 5009;  // already interrupted
    } else {
      g.Sts00U = "0";
      if (e.msk == "PW" || e.msk == "PA") g.MelFnr = 5010;  // not interrupted
    }
    g.KeyPnr = e.pnr;
    g.MelAwn = e.awn;
    g.KeyLfn = ++lfn;
    st = Mel_PKeyIns(g);
    if (st != DB_OK) {
      Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyIns", st);
      return;
    }
    Korr_Auswertung(g);
  }
}

void Korr_Neuemeldung(const MelSatz& m, const FzuSatz& entry) {
  MelSatz r;
  if (!Korr_MeldungLesen(m, "Korr_Neuemeldung", r)) return;

  ApkSatz a;
  a.ApkApk = r.KeyApk;
  if (Apk_PKeyReadk(a) == DB_OK) r.KeyTnr = a.ApkTnr;

  r.MelKsb = kKsbLeer;
  r.MelKdt.clear();
  r.MelErf = m.MelKsb;
  r.MelKfc = kKfcLeer;
  MengenNull(r);
  r.ObjTyp = entry.FzuTxt;
  r.MelFcd = entry.FzuFcd;
  r.Sts00E = "1";
  for (std::string* s :
       {&r.Sts00R, &r.Sts00A, &r.Sts00U, &r.Sts00S, &r.Sts006, &r.Sts007, &r.Sts008, &r.Sts009,
        &r.Sts010, &r.Sts011, &r.Sts012, &r.Sts013, &r.Sts014, &r.Sts015, &r.Sts016})
    *s = "0";
  r.MelAec = "0";
  r.MelTrm = "00";
  r.MelOff = "K";

  Korr_AusweisNummer(r);

  if (r.MelMsk == "RB" || r.MelMsk == "AB") {
    Korr_NeuBeginn(r);
  } else if (r.MelMsk == "AT" || r.MelMsk == "RE" || r.MelMsk == "AE") {
    Korr_NeuEnde(r);
  } else if (r.MelMsk == "AU" || r.MelMsk == "AW") {
    Korr_NeuUnterbrechung(r);
  }
  if (Korr_Abgewiesen()) return;  // rolled back: no refresh, no download

  StammTab_Akual(r);
  Get_Download();

  r.MelGum = r.MelKgm;
  r.MelFam = r.MelKfm;
  r.MelMam = r.MelKmm;
  r.MelNam = r.MelKnm;
  KorrMengenNull(r);
  int st = Mel_PKeyUpdate(r);
  if (st != DB_OK) {
    Log_Fehler("Korr_Neuemeldung", "Mel_PKeyUpdate", st);
    return;
  }
  if (entry.FzuUpl == 1) Korr_PpsSchnittstelle(r, "+");
  Korr_Auswertung(m);
}

void Korr_Loeschen(const MelSatz& m, const FzuSatz&) {
  // A booking that cannot be read is not deleted in part, and planning gets
  // no "-" record for it: the correction is refused and stays pending.
  int st = Mel_BnrCurOpen(m.KeyBnr);
  if (st != DB_OK) {
    Log_Fehler("Korr_Loeschen", "Mel_BnrCur", st);
    Korr_Abweisen();
    return;
  }
  MelSatz r;
  while ((st = Mel_BnrCurFetch(r)) == DB_OK) {
    int stD = Mel_PKeyDel(r);
    if (stD != DB_OK) Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyUpdate", stD);
    Korr_Auswertung(r);
  }
  (void)Mel_BnrCurClose();  // read in full at its open: closing only frees the rows
  if (st != DB_NOT_FOUND) {
    Log_Fehler("Korr_Loeschen", "Mel_BnrCur.Fetch", st);
    Korr_Abweisen();
    return;
  }
  StammTab_Akual(m);
  Get_Download();
  Korr_PpsSchnittstelle(m, "-");
}
