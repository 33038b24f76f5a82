#include "main/KorrLoop.h"

#include "db/DbStatus.h"
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

}  // namespace

KorrHandler Korr_HandlerFuer(const std::string& code) {
  for (const Eintrag& e : kHandler) {
    if (code == e.code) return e.handler;
  }
  return nullptr;
}

void Korr_Schleife(const std::string& clerk) {
  int st = Mel_KsbCurOpen(clerk);
  if (st != DB_OK) {
    // Without its rows the run cannot do anything; say so rather than end
    // as if the clerk had nothing pending.
    Log_Fehler("Mld_Korrektur", "Mel_KsbCur", st);
    return;
  }
  MelSatz row;
  FzuSatz entry;
  while ((st = Mel_KsbCurFetch(row)) == DB_OK) {
    // A kind without a function-code entry gets an empty entry, never the
    // entry of an earlier row.
    entry = FzuSatz{};
    entry.FzuMld = row.MelMsk;
    if (Fzu_MldRead(entry) != DB_OK) {
      entry = FzuSatz{};
    }
    if (KorrHandler h = Korr_HandlerFuer(row.MelKfc)) h(row, entry);
    row.ObjTyp = entry.FzuTxt;
    Korr_Merker(row);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mld_Korrektur", "Cursor-Read fehlgeschlagen", st);
  Mel_KsbCurClose();
}
