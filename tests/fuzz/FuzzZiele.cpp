#include "tests/fuzz/FuzzZiele.h"

#include <ftw.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "db/DbDb.h"
#include "infra/Ini.h"
#include "infra/Log.h"
#include "main/MldKorrektur.h"

namespace {

// Reads an input front to back; past its end every read gives 0.
class Leser {
 public:
  Leser(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  bool Ende() const { return pos_ >= n_; }
  uint8_t Byte() { return pos_ < n_ ? d_[pos_++] : 0; }
  int32_t Zahl() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<int32_t>(v);
  }
  double Double() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | Byte();
    double x;
    std::memcpy(&x, &v, sizeof x);
    return x;
  }
  std::string Text(size_t max) {
    size_t len = Byte() % (max + 1);
    std::string s;
    while (len-- > 0 && !Ende()) s += static_cast<char>(Byte());
    return s;
  }

 private:
  const uint8_t* d_;
  size_t n_;
  size_t pos_ = 0;
};

std::string Lesen(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Schreiben(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// One temporary folder per process for all targets.
const std::string& Ordner() {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/qvfuzz.XXXXXX";
    const char* d = ::mkdtemp(tmpl);
    if (d == nullptr) QvFuzz_Fehler("no temporary folder");
    return std::string(d);
  }();
  return dir;
}

// ---- configuration file ----------------------------------------------------

int Ini(const uint8_t* data, size_t size) {
  const std::string file = Ordner() + "/fuzz.ini";
  const std::string text(reinterpret_cast<const char*>(data), size);
  Schreiben(file, text);
  for (const char* name : {"LOGIN", "PASS", "NET8"}) {
    std::string v = Ini_ReadValue("", name, 0, file);
    if (v.size() > kIniValueMax) QvFuzz_Fehler(std::string("value too long: ") + name);
  }
  Ini_ReadValue("QvDb", "", 7, file);
  // The input as one enciphered value; and as a clear text, whose
  // enciphered form must decipher to it again.
  std::string clear;
  if (Ini_Decipher(text, clear) && clear.size() > kIniValueMax)
    QvFuzz_Fehler("deciphered too long");
  std::string klar = text.substr(0, std::min(text.find('\0'), kIniValueMax));
  std::string zurueck;
  if (!Ini_Decipher(Ini_Encipher(klar), zurueck) || zurueck != klar) {
    QvFuzz_Fehler("encipher/decipher round trip");
  }
  return 0;
}

// ---- log writer --------------------------------------------------------------

// The entry as the log must hold it, with the fixed clock of the driver.
std::string Erwartet(const LogRequest& r) {
  static const char* const kWords[] = {"DMSG ", "SMSG ", "FMSG ", "WMSG ", "CMSG "};
  std::string kinds;
  for (int bit = 0; bit < 5; ++bit) {
    if (r.kinds & (1 << bit)) kinds += kWords[bit];
  }
  std::string t =
      "\xFE\r\nSystem-Date: 08.12.26\r\nSystem-Time: 10:15:00\r\nMsgArt_____: " + kinds +
      "\r\nMessage____: " + r.message + "\r\nFunktion___: " + r.function +
      "\r\nErrorCode__: " + std::to_string(r.errorCode) + "\r\n";
  if (r.kinds & kDMSG) t += std::string(static_cast<const char*>(r.data), r.dataSize) + "\r\n";
  if ((r.kinds & kSMSG) && !r.extra.empty()) t += r.extra + "\r\n";
  return t;
}

int Log(const uint8_t* data, size_t size) {
  const std::string file = Ordner() + "/Vastrigon.Txt";
  Log_ResetForTest();
  Log_Open(7, file.c_str());
  ::unlink(file.c_str());
  Leser in(data, size);
  const uint8_t modus = in.Byte();
  if (modus & 1) Log_Zurueckhalten();
  std::string soll;
  std::vector<std::string> daten;
  daten.reserve(8);
  for (int i = 0; i < 8 && !in.Ende(); ++i) {
    LogRequest r;
    r.kinds = in.Byte();
    r.errorCode = in.Zahl();
    r.function = in.Text(80);
    r.message = in.Text(255);
    daten.push_back(in.Text(64));
    r.data = daten.back().data();
    r.dataSize = daten.back().size();
    r.extra = in.Text(16);
    if (modus & 2) {
      // As the program's callers write texts from outside.
      r.function = Log_Sicher(r.function);
      r.message = Log_Sicher(r.message);
      for (char c : r.message) {
        if (c == '\xFE' || c == '\r' || c == '\n' || c == '\0')
          QvFuzz_Fehler("Log_Sicher let through");
      }
    }
    Log_Write(r);
    if ((r.kinds & 7) > 0) soll += Erwartet(r);
  }
  if (modus & 1) {
    if (modus & 4) {
      Log_Verwerfen();
      soll.clear();
    } else {
      Log_Freigeben();
    }
  }
  if (Lesen(file) != soll) QvFuzz_Fehler("log file differs from the entries written");
  return 0;
}

// ---- correction loop on SQLite -------------------------------------------------

struct Anlage {
  sqlite3* fremd = nullptr;  // "another program" writing rows
  std::vector<std::string> spalten;
  std::string rundir;
};

std::string SqlAusfuehren(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  std::string out;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) out = err ? err : "?";
  sqlite3_free(err);
  return out;
}

const char* const kPlant =
    "delete from Qvt560Mel; delete from Qvt553Fzu; delete from Qvt591Nzp; delete from Qvt501Apk;"
    "delete from Qvt504App; delete from Qvt557Cfg; delete from Qvt580Pps; delete from Qvt563Mrk;"
    "delete from Qvt590Nza; delete from Qvt561Mlt; delete from Qvt552Bnr;"
    "insert into Qvt553Fzu (FzuMld,FzuTxt,FzuFcd,FzuUpl) values"
    " ('AB','M_A','A03',1),('AE','M_A','A07',1),('AM','M_A','A02',1),('AU','M_A','A04',1),"
    " ('AW','M_A','A05',1),('RB','M_A','A01',1),('RE','M_A','A06',1),('AT','M_A','A07',1),"
    " ('PA','MPA','FPA',1),('PE','MPA','FPE',1),('PU','MPA','FPU',1),('PW','MPA','FPW',1),"
    " ('MS','M__','FMS',0),('MT','M__','FMT',0);"
    "insert into Qvt591Nzp (NzpAkz,NzpGvn,NzpGbi,NzpAak,NzpMrk) values"
    " (1,'2026-01-01 00:00:00','2027-12-31 00:00:00',1,1),"
    " (3,'2026-01-01 00:00:00','2027-12-31 00:00:00',1,1),"
    " (5,'2026-01-01 00:00:00','2027-12-31 00:00:00',1,1),"
    " (7,'2026-01-01 00:00:00','2027-12-31 00:00:00',1,1);"
    "insert into Qvt501Apk (ApkApk,ApkSts,ApkAfo,ApkEaf,ApkAba,ApkTnr,ApkFbe) values"
    " ('A1000',1,2,0,1,'T-A1000','F1');"
    "insert into Qvt504App (AppApk,AppApp,AppSts,AppNaf,AppFbe) values"
    " ('A1000','0010',3,'00000','F1');"
    "insert into Qvt557Cfg (CfgDta,CfgIP,CfgPrt,CfgVn1,CfgBi1) values "
    "(1,'10.0.0.1','4711','F0','F9');";

// A value a terminal or the clerk's application would write into `spalte`.
void Ueblich(sqlite3_stmt* st, int i, const std::string& spalte, uint8_t wahl) {
  static const char* const kZeit[] = {"2026-12-01 11:00:00", "2026-12-01 08:00:00",
                                      "2026-12-02 23:59:59", "2026-13-45 99:99:99", ""};
  static const char* const kKfc[] = {"AEZ", "AEI", "NEW", "DEL", "STA", "XYZ", "   "};
  static const char* const kMsk[] = {"AB", "AE", "AM", "AU", "AW", "RB", "RE", "AT",
                                     "PA", "PE", "PU", "PW", "MS", "MT", "ZZ"};
  static const char* const kObj[] = {"M_A", "MPA", "M__", ""};
  auto text = [&](const char* s) { sqlite3_bind_text(st, i, s, -1, SQLITE_TRANSIENT); };
  if (spalte == "KeyDat" || spalte == "KeyUhr" || spalte == "MelKdt" || spalte == "MelDat") {
    text(kZeit[wahl % 5]);
  } else if (spalte == "MelKsb") {
    text(wahl % 8 == 7 ? "OTHER" : "CLERK1");
  } else if (spalte == "MelKfc") {
    text(kKfc[wahl % 7]);
  } else if (spalte == "MelMsk") {
    text(kMsk[wahl % 15]);
  } else if (spalte == "ObjTyp") {
    text(kObj[wahl % 4]);
  } else if (spalte == "KeyApk") {
    text(wahl % 4 ? "A1000" : "A9999");
  } else if (spalte == "KeyApp") {
    text("0010");
  } else if (spalte == "KeyBnr" || spalte == "KeyLfn") {
    sqlite3_bind_int(st, i, wahl % 4);
  } else if (spalte.rfind("Sts", 0) == 0 || spalte == "MelAec") {
    text(wahl % 2 ? "1" : "0");
  } else {
    sqlite3_bind_int(st, i, wahl % 16);
  }
}

Anlage& AnlageHolen() {
  static Anlage* a = [] {
    auto* an = new Anlage;
    const std::string root = Ordner() + "/inst";
    for (const char* d : {"", "/db", "/files", "/i1", "/i1/i2", "/i1/i2/i3", "/i1/i2/i3/run",
                          "/i1/i2/i3/run/Msg", "/i1/i2/i3/Comm", "/i1/i2/i3/Comm/Buff"}) {
      ::mkdir((root + d).c_str(), 0755);
    }
    const std::string db = root + "/db/plant.db";
    sqlite3* sys = nullptr;
    sqlite3_open((root + "/db/QvSystem.db").c_str(), &sys);
    std::string err = SqlAusfuehren(sys, Lesen(QV_SOURCE_DIR "/schema/sqlite_qvsystem.sql"));
    sqlite3_close(sys);
    if (sqlite3_open(db.c_str(), &an->fremd) != SQLITE_OK)
      QvFuzz_Fehler("cannot create the database");
    if (err.empty()) err = SqlAusfuehren(an->fremd, Lesen(QV_SOURCE_DIR "/schema/sqlite.sql"));
    if (err.empty())
      err = SqlAusfuehren(an->fremd, "pragma journal_mode=wal; pragma synchronous=off");
    if (!err.empty()) QvFuzz_Fehler("schema: " + err);
    sqlite3_busy_timeout(an->fremd, 5000);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(an->fremd, "select name from pragma_table_info('Qvt560Mel') order by cid",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
      an->spalten.push_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    an->rundir = root + "/i1/i2/i3/run";
    if (::chdir(an->rundir.c_str()) != 0) QvFuzz_Fehler("chdir");
    setenv("QV_TEST_NOW", "20261208101500", 1);
    Log_ResetForTest();
    Log_Open(7, "./Msg/Vastrigon.Txt");
    if (Db_ConnectWith("qv", "qv", "sqlite:" + db) != 0) QvFuzz_Fehler("connect");
    return an;
  }();
  return *a;
}

int Mel(const uint8_t* data, size_t size) {
  Anlage& a = AnlageHolen();
  std::string err = SqlAusfuehren(a.fremd, kPlant);
  if (!err.empty()) QvFuzz_Fehler("plant: " + err);
  Leser in(data, size);
  // Rows as a program might store them that ignores the table's checks (an
  // older schema, a hand-made repair), or one that keeps them.
  const bool geprueft = (in.Byte() & 1) == 0;
  SqlAusfuehren(a.fremd, geprueft ? "pragma ignore_check_constraints=0"
                                  : "pragma ignore_check_constraints=1");
  std::string sql = "insert into Qvt560Mel (";
  for (size_t i = 0; i < a.spalten.size(); ++i) sql += (i ? "," : "") + a.spalten[i];
  sql += ") values (";
  for (size_t i = 0; i < a.spalten.size(); ++i) sql += i ? ",?" : "?";
  sql += ")";
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(a.fremd, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) QvFuzz_Fehler(sql);
  const int zeilen = 1 + in.Byte() % 4;
  for (int z = 0; z < zeilen; ++z) {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    for (size_t i = 0; i < a.spalten.size(); ++i) {
      const int p = static_cast<int>(i) + 1;
      const uint8_t art = in.Ende() ? 7 : in.Byte() % 8;
      switch (art) {
        case 0:
          sqlite3_bind_null(st, p);
          break;
        case 1:
          sqlite3_bind_int64(st, p,
                             static_cast<int64_t>(in.Zahl()) * (in.Byte() % 3 ? 1 : 1000003));
          break;
        case 2:
          sqlite3_bind_double(st, p, in.Double());
          break;
        case 3: {
          std::string t = in.Text(40);
          sqlite3_bind_text(st, p, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
          break;
        }
        case 4: {
          std::string b = in.Text(20);
          sqlite3_bind_blob(st, p, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
          break;
        }
        default:
          Ueblich(st, p, a.spalten[i], in.Ende() ? static_cast<uint8_t>(z) : in.Byte());
      }
    }
    sqlite3_step(st);  // a row the table refuses is simply not there
  }
  sqlite3_finalize(st);
  SqlAusfuehren(a.fremd, "pragma ignore_check_constraints=0");

  ::unlink("./Msg/Vastrigon.Txt");
  Mld_Korrektur("CLERK1");
  if (!Db_Connected()) QvFuzz_Fehler("session lost");
  const std::string log = Lesen("./Msg/Vastrigon.Txt");
  if (!log.empty() && log[0] != '\xFE') QvFuzz_Fehler("log does not start with an entry");
  // Rows the table's checks let in are always readable by the clerk cursor.
  if (geprueft && log.find("Message____: Mel_KsbCur\r\n") != std::string::npos) {
    QvFuzz_Fehler("clerk cursor failed on rows the checks accepted");
  }
  ::unlink("../Comm/Buff/SndDnl1.buf");
  return 0;
}

}  // namespace

int QvFuzz_Ini(const uint8_t* data, size_t size) {
  return Ini(data, size);
}
int QvFuzz_Log(const uint8_t* data, size_t size) {
  return Log(data, size);
}
int QvFuzz_Mel(const uint8_t* data, size_t size) {
  return Mel(data, size);
}

QvFuzzZiel QvFuzz_Ziel(const std::string& name) {
  if (name == "ini") return QvFuzz_Ini;
  if (name == "log") return QvFuzz_Log;
  if (name == "mel") return QvFuzz_Mel;
  return nullptr;
}

void QvFuzz_Aufraeumen() {
  Db_Disconnect();
  ::chdir("/");
  ::nftw(
      Ordner().c_str(),
      [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
      FTW_DEPTH | FTW_PHYS);
}

void QvFuzz_Fehler(const std::string& what) {
  std::fprintf(stderr, "qvfuzz: %s\n", what.c_str());
  std::abort();
}
