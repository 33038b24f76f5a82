// The one reading of the local clock. Log stamps, run stamps, `sysdate` and
// the download records all take "now" from here.
#pragma once

#include <ctime>
#include <string>

// Local date and time now, broken down. A test installation may fix "now" with
// the environment variable QV_TEST_NOW=yyyymmddHHMMSS (test seam only: an
// unset or malformed value means the real clock).
std::tm Clock_Now();

// "Now" as the 14-character instant yyyymmddHHMMSS.
std::string Clock_Instant();
