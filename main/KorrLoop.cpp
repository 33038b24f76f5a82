#include "main/KorrLoop.h"

#include "db/DbStatus.h"
#include "infra/Log.h"

namespace {

struct Eintrag {
  const char* code;
  KorrHandler handler;
};

// The five correction codes. A code whose handler is not part of this build
// yet has none and runs nothing, like any other code.
const Eintrag kHandler[] = {
    {"AEZ", nullptr},  // time shift
    {"AEI", nullptr},  // content change
    {"NEW", nullptr},  // new message
    {"DEL", nullptr},  // deletion
    {"STA", nullptr},  // status change
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
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mld_Korrektur", "Cursor-Read fehlgeschlagen", st);
  Mel_KsbCurClose();
}
