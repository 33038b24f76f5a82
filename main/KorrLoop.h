// The correction loop over one clerk's pending corrections.
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// A correction handler: called with the row as the clerk cursor delivered it
// and the function-code entry of its message kind.
using KorrHandler = void (*)(const MelSatz& row, const FzuSatz& entry);

// The handler of a correction code, or nullptr when the code has none.
KorrHandler Korr_HandlerFuer(const std::string& code);

// Walks the clerk's marked rows in time order: function-code lookup, handler
// of the correction code, object type from the entry.
void Korr_Schleife(const std::string& clerk);
