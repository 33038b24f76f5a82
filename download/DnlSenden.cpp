#include "download/DnlSenden.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "db/DbStatus.h"
#include "infra/Clock.h"
#include "infra/File.h"
#include "infra/Log.h"

namespace {

// The buffer file that is open: at most one, and only while one correction
// writes its records.
struct OffeneDatei {
  bool offen = false;
  int linie = 0;
  int handle = kFileNoHandle;
};
OffeneDatei g_datei;
int g_sperrWarteMs = kDnlSperrWarteMs;

// Appends `wert` to `satz` in a field of `breite` bytes, blank-padded on the
// right (`links`) or on the left. False when the value does not fit.
bool Feld(std::string& satz, const std::string& wert, std::size_t breite, bool links) {
  if (wert.size() > breite) return false;
  std::string fuell(breite - wert.size(), ' ');
  satz += links ? wert + fuell : fuell + wert;
  return true;
}

std::string Stempel() {
  std::tm t = Clock_Now();
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                        t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  if (n != 14) return "00000000000000";
  return buf;
}

// A line lookup starts from a row of blanks.
void Leeren(CfgSatz& c) {
  c = CfgSatz{};
  auto b = [](std::string& s, std::size_t n) { s.assign(n, ' '); };
  b(c.CfgIP, 15);
  b(c.CfgPrt, 5);
  b(c.CfgBez, 30);
  b(c.CfgTxt, 10);
  for (std::string* s : {&c.CfgVn1, &c.CfgBi1, &c.CfgVn2, &c.CfgBi2, &c.CfgVn3, &c.CfgBi3,
                         &c.CfgVn4, &c.CfgBi4, &c.CfgVn5, &c.CfgBi5})
    b(*s, 10);
  for (std::string* s : {&c.CfgBz1, &c.CfgBz2, &c.CfgBz3, &c.CfgBz4, &c.CfgBz5}) b(*s, 30);
  b(c.CfgDat, 29);
  b(c.CfgErf, 8);
}

void Vergessen() {
  g_datei.offen = false;
  g_datei.linie = 0;
  g_datei.handle = kFileNoHandle;
}

// Opens the buffer file of `linie` for appending under an exclusive lock.
// 0 or -1 (logged); on -1 nothing stays open.
[[nodiscard]] int Oeffnen(int linie) {
  std::string name = Dnl_DateiName(linie);
  FileHandle datei;
  // The records reach the device once per correction, before it commits
  // (Dnl_DateiSchliessen), rather than with every single write.
  int rc = datei.Open(name.c_str(), kFileWrite | kFileCreate | kFileAppend);
  if (rc == 0) {
    // Not shared: while another run or the communication process holds the
    // file, it is waited for in steps, up to a bound.
    int gewartet = 0;
    while ((rc = File_Lock(datei.Get())) == kFileBusy && gewartet < g_sperrWarteMs) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kDnlSperrSchrittMs));
      gewartet += kDnlSperrSchrittMs;
    }
  }
  if (rc != 0) {
    Log_Fehler("CreateFile", "Datei oeffnen", rc);
    return -1;
  }
  rc = File_SeekEnd(datei.Get());
  if (rc != 0) {
    Log_Fehler("SetFilePointer", "Ende der Datei", rc);
    return -1;
  }
  g_datei.offen = true;
  g_datei.linie = linie;
  g_datei.handle = datei.Release();
  return 0;
}

}  // namespace

std::string Dnl_DateiName(int linie) {
  return kDnlPuffer + std::to_string(linie) + ".buf";
}

bool Dnl_SatzBilden(const DnlEintrag& e, const CfgSatz& cfg, const std::string& stempel,
                    std::string& satz, std::string& feld) {
  satz.clear();
  satz.reserve(kDnlSatzLaenge);
  std::string datum = e.datum.size() > 2 ? e.datum.substr(2) : std::string();
  struct Teil {
    const char* name;
    const std::string& wert;
    std::size_t breite;
    bool links;
  };
  static const std::string kLeer, k999 = "999", k0460 = "0460";
  const Teil vorn[] = {{"CfgIP", cfg.CfgIP, 15, true},  {"CfgPrt", cfg.CfgPrt, 5, true},
                       {"Zeit", stempel, 14, false},    {"999", k999, 3, false},
                       {"CfgIP", cfg.CfgIP, 15, false}, {"CfgPrt", cfg.CfgPrt, 5, false},
                       {"", kLeer, 28, false},          {"0460", k0460, 4, false},
                       {"Objekt", e.objekt, 3, false},  {"Datum", datum, 6, false},
                       {"Uhrzeit", e.zeit, 6, false}};
  satz += '$';
  for (const Teil& t : vorn) {
    if (!Feld(satz, t.wert, t.breite, t.links)) {
      feld = t.name;
      return false;
    }
  }
  satz += "BDE";
  if (!Feld(satz, e.aktion, 3, false)) {
    feld = "Aktion";
    return false;
  }
  if (!Feld(satz, e.daten, kDnlDatenBreite, true)) {
    feld = "Daten";
    return false;
  }
  satz += "*\r\n";
  return true;
}

int IP_Ermitteln(CfgSatz& cfg, const std::string& key) {
  int st = Cfg_OpenDnl(key);
  if (st != DB_OK) {
    Log_Fehler("ReadFile", "IP-Ermitteln", st);
    return st;
  }
  // Of several lines serving the key the lowest line number counts.
  int fst = Cfg_FetchDnl(cfg);
  if (fst != DB_OK) Log_Fehler("ReadFile", "IP-Ermitteln", fst);
  int cst = Cfg_CloseDnl();
  return cst != DB_OK ? cst : fst;
}

int Dnl_Senden(const DnlEintrag& e, const std::string& key) {
  CfgSatz cfg;
  Leeren(cfg);
  int st = IP_Ermitteln(cfg, key);
  if (st != DB_OK) return st;

  std::string satz, feld;
  if (!Dnl_SatzBilden(e, cfg, Stempel(), satz, feld)) {
    // A wider value would shift every later column of the record and so
    // corrupt what the communication process reads; the record is not sent.
    Log_Fehler("Dnl_Senden", ("Feld zu breit: " + feld).c_str(), -1);
    return -1;
  }

  // A failing sync is logged inside.
  if (g_datei.offen && g_datei.linie != cfg.CfgDta) (void)Dnl_DateiSchliessen();
  if (!g_datei.offen && Oeffnen(cfg.CfgDta) != 0) return -1;

  // The file is held under its lock, so its size is where this record starts.
  long long vorher = -1;
  if (File_Size(g_datei.handle, &vorher) != 0) vorher = -1;
  int rc = File_Write(g_datei.handle, satz.data(), satz.size());
  if (rc != 0) {
    // A record written in part would shift every later record for the
    // communication process; what was written of it is cut off again.
    // A failing cut has nothing left to fall back on; the write's failure is
    // what is logged and returned.
    if (vorher >= 0) (void)File_Truncate(g_datei.handle, vorher);
    Log_Fehler("WrittenFile", "", rc);
    // The handle is given up; the next record for the line opens afresh. A
    // failing sync is logged inside; the record's failure is the result.
    (void)Dnl_DateiSchliessen();
    return -1;
  }
  return 0;
}

int Dnl_DateiSchliessen() {
  int rc = 0;
  if (g_datei.offen) {
    rc = File_Sync(g_datei.handle);
    if (rc != 0) Log_Fehler("FlushFileBuffers", "Datei sichern", rc);
    // After the sync the records are on the device (or the failure is
    // logged); the close only gives up the handle and its lock.
    (void)File_Close(g_datei.handle);
  }
  Vergessen();
  return rc;
}

void Dnl_SetSperrWarteForTest(int milliseconds) {
  g_sperrWarteMs = milliseconds < 0 ? kDnlSperrWarteMs : milliseconds;
}

int Dnl_OffeneLinie() {
  return g_datei.offen ? g_datei.linie : -1;
}
