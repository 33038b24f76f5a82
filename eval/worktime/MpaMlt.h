// The scratch list of the person evaluations: boundary rows of producer
// "Nza_MPA" in Qvt561Mlt, one list per batch key (a run stamp
// yyyymmddHHMMSS), written by the span split and the work-time evaluation and
// deleted again by them.
#pragma once

#include <string>

#include "db/DbMel.h"

// Producer name of the person evaluations' lists.
constexpr const char* kMpaMltErf = "Nza_MPA";

// Date and time joined to one 14-character stamp ("%8s%6s"); stamps of the
// evaluation compare as text.
std::string Mpa_Stempel(const std::string& datum, const std::string& zeit);

// The batch key of a new list: the current timestamp (yyyymmddHHMMSS).
std::string Mpa_BatchKey();

// A boundary row of list `batch` of kind `obj` at `datum`/`zeit`, with the
// workplace, order, operation and person of `row`; all other columns empty.
MltSatz Mpa_Grenze(const std::string& batch, const std::string& obj, const std::string& datum,
                   const std::string& zeit, const NzaSatz& row);

// Inserts `m` with the next running number (`zaehler` + 1, then kept in
// `zaehler`). A boundary without a date names no instant and is not written
// (a person day without departure, an open interruption): 0 and the counter
// unchanged. Otherwise the insert's status.
[[nodiscard]] int Mpa_GrenzeSchreiben(MltSatz& m, int& zaehler);

// Deletes every row of list `batch`, one by one by its key. A failed delete is
// logged under `funktion` and the others are still deleted.
void Mpa_BatchLoeschen(const std::string& batch, const char* funktion);
