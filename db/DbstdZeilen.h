// Row helpers of the order header and operation tables inside db/: the
// select lists and the conversions from a fetched row, which the master-data
// reads (Dbstd) and the download cursors (DbDnl) share. Not for use above db/.
#pragma once

#include <string>

#include "db/DbBackend.h"
#include "db/Dbstd.h"

// Select lists and row conversions of the header and operation rows, shared
// with the download cursors (DbDnl), which fetch into the same records. With
// `mitApkDat` the header list carries the change instant ApkDat between
// ApkSta and ApkErf.
std::string Apk_Spalten(bool mitApkDat);
void Apk_AusZeile(const DbZeile& zeile, ApkSatz& row, bool mitApkDat);
std::string App_Spalten();
void App_AusZeile(const DbZeile& zeile, AppSatz& row);
