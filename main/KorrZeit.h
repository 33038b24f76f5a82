// Time shift ("AEZ") and content change ("AEI") of messages.
#pragma once

#include "db/DbMel.h"
#include "db/Dbstd.h"

// Handler of correction code "AEZ": every message of m's booking number moves
// to m's date, time and part number and is marked as corrected; each is
// reported "+" to planning and evaluated again. The marked message itself,
// when its kind carries quantities ("RE", "AE", "AM"), also takes over its
// corrected quantities, is reported "-" first and refreshes the master data.
void Korr_ZeitVerschiebung(const MelSatz& m, const FzuSatz& entry);

// Handler of correction code "AEI": the message takes over its corrected
// content and is marked as corrected; the master data is refreshed and
// downloaded. Planning gets a "-" record with the old quantities for the kinds
// "RE", "AE", "AM" and, when the entry's planning switch is set, a "+" record;
// a kind not reported to planning gets neither.
void Korr_InhaltAendern(const MelSatz& m, const FzuSatz& entry);

// Message kinds whose quantities a correction replaces.
bool Korr_MengenArt(const std::string& msk);
