// Download of the order headers and operations marked by a job: each marked
// row becomes a download entry with a fixed-column data image, goes to the
// buffer file of its terminal line (DnlSenden) and is then released: marker
// and action cleared, or the row deleted when its action is "LOE".
//
// A value that does not fit its columns of the data image (a quantity too
// large or negative for its digits, a malformed date, an operation count of
// more than five characters) never shifts the columns after it: its columns
// are filled with '*' and the value is logged under the download's name.
#pragma once

#include <string>

#include "db/Dbstd.h"

constexpr std::size_t kDnlApkBildLaenge = 255;
constexpr std::size_t kDnlAppBildLaenge = 257;
// Fills the columns of a value that does not fit them.
constexpr char kDnlUeberlauf = '*';

// The data image of an order header (255 characters) and of an operation (257).
std::string Dnl_ApkBild(const ApkSatz& apk);
std::string Dnl_AppBild(const AppSatz& app);

// Sends every order header with ApkDwn = `marker`, in range-key order, and
// releases it. A failed send or release ends the loop (the rest stays marked
// for the next download). Returns the status of the cursor's close (0 also
// after a failed send, which is logged), or the open's status when the cursor
// cannot be opened.
[[nodiscard]] int Apk_Dnl(const std::string& datum, const std::string& zeit,
                          const std::string& marker);

// The same for operations with AppDwn = `marker`; a failed send or release
// goes on with the next operation.
[[nodiscard]] int App_Dnl(const std::string& datum, const std::string& zeit,
                          const std::string& marker);

// Release of a sent order header (`row` as fetched): "LOE" deletes it, any
// other action clears ApkDwn and ApkDna. Returns the status of the last
// statement (0 released; failures logged).
[[nodiscard]] int Apk_Frei(const ApkSatz& row);

// Release of a sent operation: "LOE" deletes it and lowers the header's
// operation count ApkAfo by one; any other action clears AppDwn and AppDna,
// and "NEU" raises ApkAfo by one. Returns the status of the last statement
// (0 released and counted; failures logged). A failed re-read of the
// operation or of the header stops the release, so a record cleared by a
// failed read is never written back.
[[nodiscard]] int App_Frei(const AppSatz& row);
