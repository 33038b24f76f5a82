#include "main/KorrLoop.h"

#include <chrono>
#include <set>
#include <thread>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "download/DnlSenden.h"
#include "infra/Log.h"
#include "main/KorrMerker.h"
#include "main/KorrNeu.h"
#include "main/KorrStatus.h"
#include "main/KorrZeit.h"

namespace {

struct Eintrag {
  const char* code;
  KorrHandler handler;
};

// The five correction codes; any other code runs no handler.
const Eintrag kHandler[] = {
    {"AEZ", Korr_ZeitVerschiebung},  // time shift
    {"AEI", Korr_InhaltAendern},     // content change
    {"NEW", Korr_Neuemeldung},       // new message
    {"DEL", Korr_Loeschen},          // deletion
    {"STA", Korr_Statusaenderung},   // status change
};

// What one run keeps between its corrections.
struct Lauf {
  // Bookings whose correction this run has committed: a row of such a
  // booking may have lost its mark to this run's own earlier correction (a
  // deletion takes every row of the booking) and is handled as the cursor
  // delivered it.
  std::set<int> buchungen;
  bool fremdGemeldet = false;  // the log already says another run was met
  KorrZaehler zaehler;
};

// Uebersprungen: another run has taken the row; Offen: its mark could not be
// read; Abgewiesen: the correction was refused (logged). Both of the last
// leave the row pending.
enum class Ausgang { Angewandt, Uebersprungen, Offen, Abgewiesen };

bool gAbgewiesen = false;  // the current correction was refused

std::string Schluessel(const MelSatz& row) {
  return std::to_string(row.KeyBnr) + "/" + std::to_string(row.KeyLfn);
}

// True while the row still carries the mark the cursor delivered. The read
// locks the row until the correction ends, so no other run can take it
// meanwhile. Otherwise `sonst` says why the row is not applied.
bool NochMarkiert(const MelSatz& row, Lauf& lauf, Ausgang& sonst) {
  std::string ksb, kfc;
  int st = Mel_PKeyLock(row.KeyBnr, row.KeyLfn, ksb, kfc);
  if (st == DB_OK && ksb == row.MelKsb && kfc == row.MelKfc) return true;
  if (lauf.buchungen.count(row.KeyBnr) > 0) return true;
  sonst = Ausgang::Uebersprungen;
  if (st != DB_OK && st != DB_NOT_FOUND) {
    sonst = Ausgang::Offen;
    Log_Fehler("Mld_Korrektur", "Mel_PKeyLock", st);
  } else if (!lauf.fremdGemeldet) {
    // Another run of the same clerk (or the clerk's application) has taken
    // the correction since this run's cursor was opened.
    lauf.fremdGemeldet = true;
    Log_Fehler("Mld_Korrektur",
               ("Korrektur in anderem Lauf ausgefuehrt: " + Schluessel(row)).c_str(), -1);
  }
  return false;
}

// One correction: function-code lookup, handler, object type, marker step,
// and the buffer file brought to the device. Runs inside the correction's
// transaction.
Ausgang Anwenden(MelSatz row, Lauf& lauf) {
  Ausgang sonst = Ausgang::Offen;
  if (!NochMarkiert(row, lauf, sonst)) return sonst;
  // A kind without a function-code entry gets an empty entry, never the
  // entry of an earlier row.
  FzuSatz entry;
  entry.FzuMld = row.MelMsk;
  int st = Fzu_MldRead(entry);
  if (st == DB_NOT_FOUND) {
    entry = FzuSatz{};
  } else if (st != DB_OK) {
    // Applied with an empty entry, the correction would lose its object type,
    // function code and planning records for good.
    Log_Fehler("Mld_Korrektur", ("Fzu_MldRead " + Schluessel(row)).c_str(), st);
    return Ausgang::Abgewiesen;
  }
  Korr_AbweisungLoeschen();
  if (KorrHandler h = Korr_HandlerFuer(row.MelKfc)) {
    h(row, entry);
    if (gAbgewiesen) return Ausgang::Abgewiesen;
  } else {
    // No handler, as for every code but the five; the row keeps its mark, so
    // the log says so once per run that meets it.
    Log_Fehler(
        "Mld_Korrektur",
        ("Unbekannter Korrekturcode '" + Log_Sicher(row.MelKfc) + "': " + Schluessel(row)).c_str(),
        -1);
  }
  row.ObjTyp = entry.FzuTxt;
  Korr_Merker(row);
  (void)Dnl_DateiSchliessen();  // a failing sync is logged inside
  return Ausgang::Angewandt;
}

// Runs the correction of `row` as one transaction, again after an
// environmental failure, up to kKorrVersuche times. False when the session
// is lost and the run has to end.
bool Korrektur(const MelSatz& row, Lauf& lauf) {
  for (int versuch = 1;; ++versuch) {
    Log_Zurueckhalten();
    Ausgang ausgang = Ausgang::Offen;
    int st = Db_KorrekturBeginn();
    if (st == DB_OK) {
      ausgang = Anwenden(row, lauf);
      if (ausgang == Ausgang::Abgewiesen && Db_KorrekturAbbruch() == DB_OK) {
        // Refused: nothing of it stays, its entries say why, the row stays
        // pending.
        Db_KorrekturRollback();
        (void)Dnl_DateiSchliessen();  // a failing sync is logged inside
        Log_Freigeben();
        return true;
      }
      st = Db_KorrekturCommit();
    }
    if (st == DB_OK) {
      Log_Freigeben();
      if (ausgang == Ausgang::Angewandt) {
        lauf.buchungen.insert(row.KeyBnr);
        ++lauf.zaehler.angewandt;
      } else if (ausgang == Ausgang::Uebersprungen) {
        ++lauf.zaehler.uebersprungen;
      }
      return true;
    }
    // Nothing of the correction stays: its rows are rolled back, and the log
    // entries of its undone statements go with them. One entry names the
    // failure; the row stays pending. (Anwenden closed the buffer file.)
    Log_Verwerfen();
    std::string op;
    (void)Db_KorrekturAbbruch(&op);  // only the operation's name is wanted: the status is st
    if (Db_Verbindungsverlust(st)) {
      Log_Fehler("Mld_Korrektur", ("Verbindung verloren: " + op).c_str(), st);
      return false;
    }
    Log_Fehler("Mld_Korrektur", ("Korrektur " + Schluessel(row) + " zurueckgesetzt: " + op).c_str(),
               st);
    if (versuch >= kKorrVersuche) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(kKorrPauseMs * versuch));
  }
}

}  // namespace

void Korr_Abweisen() {
  gAbgewiesen = true;
}

bool Korr_Abgewiesen() {
  return gAbgewiesen;
}

void Korr_AbweisungLoeschen() {
  gAbgewiesen = false;
}

bool Korr_MeldungLesen(const MelSatz& m, const char* funktion, MelSatz& r) {
  r.KeyBnr = m.KeyBnr;
  r.KeyLfn = m.KeyLfn;
  const int st = Mel_PKeyReadk(r);
  if (st == DB_OK) return true;
  if (st != DB_NOT_FOUND) {
    Log_Fehler(funktion, "Mel_PKeyReadk", st);
    Korr_Abweisen();
  }
  return false;
}

KorrHandler Korr_HandlerFuer(const std::string& code) {
  for (const Eintrag& e : kHandler) {
    if (code == e.code) return e.handler;
  }
  return nullptr;
}

void Korr_Schleife(const std::string& clerk, KorrZaehler* zaehler) {
  int st = Mel_KsbCurOpen(clerk);
  if (st != DB_OK) {
    // Without its rows the run cannot do anything; say so rather than end
    // as if the clerk had nothing pending.
    Log_Fehler("Mld_Korrektur", "Mel_KsbCur", st);
    return;
  }
  Lauf lauf;
  lauf.zaehler.gelesen = Mel_KsbCurAnzahl();
  MelSatz row;
  while ((st = Mel_KsbCurFetch(row)) == DB_OK) {
    if (!Korrektur(row, lauf)) break;
  }
  if (st != DB_OK && st != DB_NOT_FOUND) {
    Log_Fehler("Mld_Korrektur", "Cursor-Read fehlgeschlagen", st);
  }
  (void)Mel_KsbCurClose();  // read in full at its open: closing only frees the rows
  if (zaehler != nullptr) *zaehler = lauf.zaehler;
}
