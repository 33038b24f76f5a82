// New message ("NEW") and deletion ("DEL") of messages.
#pragma once

#include "db/DbMel.h"
#include "db/Dbstd.h"

// Handler of correction code "NEW": completes the message the clerk entered
// (status flags, object type, function code, part number, badge number),
// marks it as corrected and generates the person messages that belong to it:
// a "PA" for a begin ("RB", "AB"), a "PE" for an end ("AT", "RE", "AE"), a "PU"
// or "PW" for each person present at an interruption ("AU", "AW").
void Korr_Neuemeldung(const MelSatz& m, const FzuSatz& entry);

// Handler of correction code "DEL": deletes every message of m's booking
// number, evaluates each deleted message again, refreshes the master data,
// downloads and takes m back from planning ("-").
void Korr_Loeschen(const MelSatz& m, const FzuSatz& entry);

// Badge step: the badge number of r's person into MelAwn; for a person that
// cannot be read "99999999" and error number 6001 (logged).
void Korr_AusweisNummer(MelSatz& r);

// The three generating steps of a new message, on r in place.
void Korr_NeuBeginn(MelSatz& r);
void Korr_NeuEnde(MelSatz& r);
void Korr_NeuUnterbrechung(MelSatz& r);

// Largest number of persons an interruption generates messages for.
constexpr int kKorrPersonenListe = 10;
