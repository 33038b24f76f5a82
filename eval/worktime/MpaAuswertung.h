// Work-step replay of a person at a workplace: after a correction has touched
// a message of object type "MPA", the work rows (kind 1) and interruption
// rows (kind 2) of its person, workplace, order and operation are rebuilt
// from that key's messages.
#pragma once

#include <string>

#include "db/DbMel.h"

// Error numbers the replay writes into evaluation rows and messages.
constexpr int kNzaFnrDoppelt = 5004;         // begin row existed / end row not insertable
constexpr int kNzaFnrOhneBeginn = 5006;      // end message without open begin
constexpr int kNzaFnrZeitAngenommen = 5008;  // begin or end time assumed

// Producer of the rows the replay writes or closes.
constexpr const char* kNzaErfReplay = "MldToNza";

// Rebuilds the kind-1 and kind-2 rows of the key (KeyApl, KeyApk, KeyApp,
// KeyPnr) of message `m`: deletes them and replays every "MPA" message of the
// key in time order. "PA"/"PE" give work rows; "PU"/"PW" interruption rows,
// only while evaluation parameter 5 is set. Logs its failures.
void Mpa_Auswertung(const MelSatz& m);

// A begin message ("PA" or "PU"): builds the new row and hands it on.
void Mpa_BeginnMeldung(const MelSatz& r);
// Inserts the begin row `b` with its evaluation attributes; when a row with
// its key exists already, that row is marked 5004 instead.
void Nza_ArbeitBeginn(NzaSatz b);
// An end message ("PE" or "PW") with the open-begin record `o`: closes the
// open row of the key, or writes a row for an end without begin; then splits
// a written row that spans more than 12 hours.
void Mpa_EndeMeldung(const MelSatz& r, NzaSatz& o);
// Closes the stored row of `o`'s key with the end of `r`. True when the row
// was closed (`o` then holds it as written).
bool Nza_ArbeitEnde(const MelSatz& r, NzaSatz& o);
// Writes a row for the end message `r` without begin (begin completed from
// the shift model) marked 5006, and marks the message. True when inserted; on
// a failed insert the message is marked 5004 and `o` receives the row.
bool Nza_ArbeitEndeOhneBeginn(const MelSatz& r, NzaSatz& o);
// Completes a row that has only a real end (or only a real begin) from the
// shift of its shift model; for time model 1 with the assumed times
// "000001" / "235959" and error number 5008.
void Nza_BeginnEndeErgaenzen(NzaSatz& n);
// Deletes every row of kind `sa` of the key, logging each failed delete.
void Nza_Delete(int sa, const std::string& apl, const std::string& apk, const std::string& app,
                const std::string& pnr);
// Sets the error number of the stored message `r` to `fnr`.
void Mel_Fehlermeldung(const MelSatz& r, int fnr);
