// Entries of the evaluations' scratch lists (Qvt561Mlt) that more than one
// evaluation makes: the entry of a message, the entry that closes a phase
// still open at the run stamp, and the shift and break boundaries of a shift
// model on a day (the step BDE_Eckwerte).
//
// Each evaluation names and numbers its entries itself (producer, run stamp,
// running number) and fills the fields that only it uses; what is made here
// is the same for all of them.
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/Tagschritt.h"
#include "infra/Log.h"

// The fields of a message's entry: its kind as the event, its instant,
// person, workplace, order, operation and shift group. The other fields of
// `e` stay as they are.
void Mlt_AusMeldung(const MelSatz& m, MltSatz& e);

// The entry that ends a phase still open after the last message `letzte`:
// that message's fields (Mlt_AusMeldung) with event `obj` at the run stamp's
// date (its first 8 characters) and time (the 6 after them).
void Mlt_Abschluss(const MelSatz& letzte, const char* obj, const std::string& stempel, MltSatz& e);

// The shifts of one shift model on one day, as far as its break rows have
// been seen: the first row, and every row with another shift begin than the
// row before, starts a shift (also one that begins at midnight).
struct EckwerteSchicht {
  bool gesehen = false;
  int beginn = 0;
};

// Sets event, date and time of a boundary.
void Mlt_Grenze(const char* obj, const std::string& datum, int minuten, MltSatz& e);

// The boundaries that the break row `r` of a shift model adds on day `tag`
// (`folgetag` the day after): "KM" and "GH" when the row starts a shift, then
// "BP" and "EP". A time not after the shift's begin lies on `folgetag`. Each
// boundary is `e` with its event, date and time set, handed to
// `neu(e, r, funktion)` with the name under which a failed write of it is
// logged ("BDE_Eckwerte: Kommen", "... Gehen", "... Pausebeginn",
// "... Pauseende"). The other fields of `e` are the caller's.
template <typename Neu>
void Eckwerte_Pause(const EmoPmsSatz& r, const std::string& tag, const std::string& folgetag,
                    EckwerteSchicht& schicht, MltSatz& e, Neu&& neu) {
  auto grenze = [&](const char* obj, int minuten, const char* funktion) {
    Mlt_Grenze(obj, minuten > r.EmoBeg ? tag : folgetag, minuten, e);
    neu(e, r, funktion);
  };
  if (!schicht.gesehen || r.EmoBeg != schicht.beginn) {
    schicht.gesehen = true;
    schicht.beginn = r.EmoBeg;
    Mlt_Grenze("KM", tag, r.EmoBeg, e);
    neu(e, r, "BDE_Eckwerte: Kommen");
    grenze("GH", r.EmoEnd, "BDE_Eckwerte: Gehen");
  }
  grenze("BP", r.PmsBeg, "BDE_Eckwerte: Pausebeginn");
  grenze("EP", r.PmsEnd, "BDE_Eckwerte: Pauseende");
}

// The boundaries of shift model `emo` with day type `ttp` on day `tag`: the
// break rows of Emo_OpenPms, each through Eckwerte_Pause. A failed open or
// read of the break cursor is logged under "BDE_Eckwerte". Returns the
// open's status when it fails, else the close's.
template <typename Neu>
[[nodiscard]] int Eckwerte_Tag(const std::string& emo, const std::string& ttp,
                               const std::string& tag, MltSatz& e, Neu&& neu) {
  int st = Emo_OpenPms(emo, ttp, tag);
  if (st != DB_OK) {
    Log_Fehler("BDE_Eckwerte", "Emo_OpenPms", st);
    return st;
  }
  const std::string folgetag = Tag_Plus(tag, 1);
  EckwerteSchicht schicht;
  EmoPmsSatz r;
  while ((st = Emo_FetchPms(r)) == DB_OK) Eckwerte_Pause(r, tag, folgetag, schicht, e, neu);
  if (st != DB_NOT_FOUND) Log_Fehler("BDE_Eckwerte", "Cursor-Read fehlgeschlagen", st);
  return Emo_ClosePms();
}
