// Runs of the real program at the same time: the same clerk started twice,
// two clerks correcting the same operations, and terminals writing messages
// while a run goes on. Whatever the interleaving, the database, the log and
// the buffer files must end as after runs one after the other.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/Installation.h"
#include "support/KorrFixture.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;
using Uhrzeit = std::chrono::steady_clock;

constexpr const char* kDatum = "20261201";
const std::string kOhnePerson = "        ";

// ---------------------------------------------------------------------------
// The plants.

struct Anlage {
  std::string stamm;  // master data, function codes, lines, calendar, parameters
  std::vector<MelSatz> meldungen;
};

// "HHMMSS" of a second of the day.
std::string Uhr(int sekunde) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d", sekunde / 3600, sekunde / 60 % 60, sekunde % 60);
  return buf;
}

// Function codes, two terminal lines (range keys F0-F4 and F5-F9), three
// persons, two workplaces with the early shift 06:00-14:00 on every day from
// 2026-11-23 (a Monday) to 2026-12-13, and the four marker parameters.
std::string Stammdaten() {
  std::string sql = Test_FzuStandardSql() + Test_CfgSql({.bi1 = "F4"}) +
                    Test_CfgSql({.dta = 2, .vn1 = "F5"}) + Test_PrvSql() +
                    Test_PrvSql({.pnr = "P2"}) + Test_PrvSql({.pnr = "P3"}) + Test_AplSql() +
                    Test_AplSql({.apl = "APL02"});
  for (int i = 0; i < 21; ++i) {
    const int tagImNov = 23 + i;
    const int monat = tagImNov <= 30 ? 11 : 12;
    char tag[16];
    std::snprintf(tag, sizeof tag, "2026%02d%02d", monat, monat == 11 ? tagImNov : tagImNov - 30);
    sql += Test_BakSql(
               {.datum = tag, .mon = monat, .wch = 48 + i / 7, .wtg = 1 + i % 7, .jtg = 327 + i}) +
           Test_KalSql({.datum = tag});
  }
  for (const char* apl : {"APL01", "APL02"}) {
    sql += Test_AemSql({.apg = apl, .kng = 2, .emo = "FRUEH", .maz = 7});
  }
  sql += Test_EmoSql({.emo = "FRUEH", .beg = 360, .end = 840, .pmo = "P1"}) +
         Test_PmzSql({.pmo = "P1", .pms = "S1"}) +
         Test_PmsSql({.num = "S1", .beg = 540, .end = 555});
  for (int k : {1, 3, 4, 9}) sql += Test_NzpSql({.akz = k, .mrk = 1});
  return sql;
}

// Order `apk` in progress with the operations 0010 and 0020 (the last one);
// `linie2` puts order and operations into the range of terminal line 2.
std::string Auftrag(const std::string& apk, const std::string& apl, bool linie2) {
  std::string sql = Test_ApkSql({.apk = apk, .sts = 3}) + Test_AppSql({.apk = apk, .sts = 3}) +
                    Test_AppSql({.apk = apk, .app = "0020", .sts = 3, .naf = "00000"}) +
                    "update Qvt504App set AppApl='" + apl + "' where AppApk='" + apk + "';";
  if (linie2) {
    sql += "update Qvt501Apk set ApkFbe='F6' where ApkApk='" + apk +
           "';update Qvt504App set AppFbe='F6' where AppApk='" + apk + "';";
  }
  return sql;
}

MelSatz Meldung(int bnr, int lfn, const std::string& apk, const std::string& app,
                const std::string& apl, const std::string& msk, const std::string& obj,
                const std::string& fcd, int sekunde, const std::string& pnr = kOhnePerson) {
  MelSatz m = Test_Mel({.bnr = bnr,
                        .lfn = lfn,
                        .dat = kDatum,
                        .uhr = Uhr(sekunde),
                        .obj = obj,
                        .msk = msk,
                        .pnr = pnr,
                        .apl = apl,
                        .apk = apk,
                        .app = app,
                        .fcd = fcd});
  m.KeyTnr = "T-" + apk;
  if (pnr != kOhnePerson) m.MelAwn = "AW-" + pnr;
  return m;
}

MelSatz Markiert(MelSatz m, const std::string& kfc, const std::string& clerk) {
  m.MelKsb = clerk;
  m.MelKfc = kfc;
  m.MelKdt = "20261207170000";
  return m;
}

// Every kind of correction, each in a booking of its own, for `auftraege`
// orders (at most 60) of one clerk. Order o works from 06:00 + 5*o seconds
// in steps of ten minutes, so no two marked rows share an instant:
//   AB + PA (not marked)          AM quantity corrected (AEI)
//   AU + PU, AU moved (AEZ)       AW (not marked)
//   AM booked twice, one DEL      AE of 0010 reopened (STA 1 -> 0)
//   AB of 0020 (not marked)       AE of 0020 closed (STA 0 -> 1), refused on
//                                 odd orders by a later quantity report
//   every 4th order a partial end entered by hand (NEW), every 5th a
//   booking with two DEL marks.
Anlage Mischung(int auftraege, const std::string& clerk) {
  Anlage a;
  a.stamm = Stammdaten();
  for (int o = 0; o < auftraege; ++o) {
    const std::string apk = "A" + std::to_string(100 + o);
    const std::string apl = o % 3 == 2 ? "APL02" : "APL01";
    a.stamm += Auftrag(apk, apl, o % 2 == 1);
    auto s = [o](int schritt) { return 6 * 3600 + schritt * 600 + o * 5; };
    auto mel = [&](int bnr, int lfn, const std::string& app, const std::string& msk,
                   const std::string& obj, const std::string& fcd, int sek,
                   const std::string& pnr = kOhnePerson) {
      return Meldung(bnr, lfn, apk, app, apl, msk, obj, fcd, sek, pnr);
    };
    std::vector<MelSatz>& v = a.meldungen;
    const int b = 100 * (o + 1);

    MelSatz ab = mel(b, 0, "0010", "AB", "M_A", "A03", s(0));
    ab.Sts00A = ab.Sts00E = "1";
    MelSatz pa = mel(b, 1, "0010", "PA", "MPA", "FPA", s(0), "P1");
    pa.Sts00E = "1";
    v.push_back(ab);
    v.push_back(pa);

    MelSatz am = Markiert(mel(b + 1, 0, "0010", "AM", "M_A", "A02", s(1)), "AEI", clerk);
    am.MelGum = 4 + o % 3;
    am.MelKgm = am.MelGum + 1 + o % 4;
    v.push_back(am);

    // The clerk's new instant stands on the marked row, two minutes late.
    MelSatz au = Markiert(mel(b + 2, 0, "0010", "AU", "M_A", "A04", s(2) + 120), "AEZ", clerk);
    au.KeySek = "04";
    MelSatz pu = mel(b + 2, 1, "0010", "PU", "MPA", "FPU", s(2), "P1");
    pu.KeySek = "05";
    v.push_back(au);
    v.push_back(pu);

    v.push_back(mel(b + 3, 0, "0010", "AW", "M_A", "A05", s(3)));

    MelSatz am1 = mel(b + 4, 0, "0010", "AM", "M_A", "A02", s(4));
    am1.MelGum = 3;
    MelSatz am2 = Markiert(mel(b + 5, 0, "0010", "AM", "M_A", "A02", s(4) + 1), "DEL", clerk);
    am2.MelGum = 3;
    v.push_back(am1);
    v.push_back(am2);

    MelSatz ae1 = Markiert(mel(b + 6, 0, "0010", "AE", "M_A", "A07", s(5)), "STA", clerk);
    ae1.MelAec = "1";
    ae1.KeySek = "99";
    v.push_back(ae1);

    MelSatz ab2 = mel(b + 7, 0, "0020", "AB", "M_A", "A03", s(6));
    ab2.Sts00A = ab2.Sts00E = "1";
    v.push_back(ab2);
    MelSatz ae2 = Markiert(mel(b + 8, 0, "0020", "AE", "M_A", "A07", s(7)), "STA", clerk);
    ae2.MelAec = "0";
    ae2.MelGum = 8;
    v.push_back(ae2);
    if (o % 2 == 1) v.push_back(mel(b + 9, 0, "0020", "AM", "M_A", "A02", s(8)));

    if (o % 4 == 0) {
      MelSatz neu = Markiert(mel(b + 10, 0, "0010", "AT", "", "", s(9), "P2"), "NEW", clerk);
      neu.MelAwn = "";
      neu.MelKgm = 5;
      neu.MelKfm = 1;
      v.push_back(neu);
    }
    if (o % 5 == 0) {
      MelSatz d0 = Markiert(mel(b + 11, 0, "0010", "AM", "M_A", "A02", s(10)), "DEL", clerk);
      d0.MelGum = 2;
      v.push_back(d0);
      v.push_back(
          Markiert(mel(b + 11, 1, "0010", "PA", "MPA", "FPA", s(10) + 1, "P3"), "DEL", clerk));
    }
  }
  return a;
}

// Two clerks on the same operations of `auftraege` orders (at most 29): on
// each operation eight quantity reports, corrected alternately by CLERK1 (+1)
// and CLERK2 (+100), then an end of work that CLERK1 reopens on 0010 and
// CLERK2 on 0020. Quantity corrections add to the operation, reopening sets
// fixed states: one after the other in either order they give the same
// master data, and a correction that read a row before the other run wrote it
// would lose a difference.
Anlage Ueberlappend(int auftraege) {
  Anlage a;
  a.stamm = Stammdaten();
  for (int o = 0; o < auftraege; ++o) {
    const std::string apk = "B" + std::to_string(100 + o);
    const std::string apl = o % 2 == 0 ? "APL01" : "APL02";
    a.stamm += Auftrag(apk, apl, o % 2 == 1);
    for (int pi = 0; pi < 2; ++pi) {
      const std::string app = pi == 0 ? "0010" : "0020";
      for (int j = 0; j <= 8; ++j) {
        const int sek = 6 * 3600 + j * 600 + o * 20 + pi * 10;
        const int bnr = 10000 + 100 * o + 20 * pi + j;
        if (j < 8) {
          const bool erster = j % 2 == 0;
          MelSatz m = Markiert(Meldung(bnr, 0, apk, app, apl, "AM", "M_A", "A02", sek), "AEI",
                               erster ? "CLERK1" : "CLERK2");
          m.MelGum = 2 + j;
          m.MelKgm = m.MelGum + (erster ? 1 : 100);
          a.meldungen.push_back(m);
        } else {
          MelSatz ae = Markiert(Meldung(bnr, 0, apk, app, apl, "AE", "M_A", "A07", sek), "STA",
                                pi == 0 ? "CLERK1" : "CLERK2");
          ae.MelAec = "1";
          ae.KeySek = "99";
          a.meldungen.push_back(ae);
        }
      }
    }
  }
  return a;
}

// ---------------------------------------------------------------------------
// Connections of their own, outside the program's session: the lock holder
// and the terminal.

class Verbindung {
 public:
  explicit Verbindung(const TestDatenbank& d) {
    if (d.engine == TestEngine::Sqlite) {
      if (sqlite3_open_v2((d.dir + "/plant.db").c_str(), &lite_, SQLITE_OPEN_READWRITE, nullptr) !=
          SQLITE_OK) {
        fehler_ = "cannot open " + d.dir + "/plant.db";
        return;
      }
      // Longer than the program's 5 s: a wait that long shows as a time,
      // not as a failure.
      sqlite3_busy_timeout(lite_, 10000);
    } else {
      const char* keys[] = {"dbname", "user", "password", nullptr};
      const char* values[] = {d.net8.c_str(), d.login.c_str(), d.pass.c_str(), nullptr};
      pg_ = PQconnectdbParams(keys, values, 1);
      if (PQstatus(pg_) != CONNECTION_OK) fehler_ = PQerrorMessage(pg_);
    }
  }
  ~Verbindung() {
    if (lite_) sqlite3_close(lite_);
    if (pg_) PQfinish(pg_);
  }
  Verbindung(const Verbindung&) = delete;
  Verbindung& operator=(const Verbindung&) = delete;

  const std::string& Fehler() const { return fehler_; }
  // "" or the engine's message.
  std::string Exec(const std::string& sql) {
    if (!fehler_.empty()) return fehler_;
    if (lite_) {
      char* err = nullptr;
      std::string out;
      if (sqlite3_exec(lite_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        out = err ? err : "error";
      }
      sqlite3_free(err);
      return out;
    }
    PGresult* r = PQexec(pg_, sql.c_str());
    std::string out;
    if (PQresultStatus(r) != PGRES_COMMAND_OK && PQresultStatus(r) != PGRES_TUPLES_OK) {
      out = PQresultErrorMessage(r);
      if (out.empty()) out = "error";
    }
    PQclear(r);
    return out;
  }
  // The first column of the first row (PostgreSQL only).
  std::string Wert(const std::string& sql) {
    PGresult* r = PQexec(pg_, sql.c_str());
    std::string out =
        PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0 ? PQgetvalue(r, 0, 0) : "";
    PQclear(r);
    return out;
  }

 private:
  sqlite3* lite_ = nullptr;
  PGconn* pg_ = nullptr;
  std::string fehler_;
};

// Keeps the corrections of runs started meanwhile from beginning: on SQLite
// the database's write lock, on PostgreSQL the clerks' marked rows. The runs
// open their cursors and wait at their first correction; released, they
// compete for every correction from the first on.
class Sperre {
 public:
  Sperre(const TestDatenbank& d, const std::string& clerks) : db_(d), v_(d) {
    fehler_ = v_.Fehler();
    if (!fehler_.empty()) return;
    if (d.engine == TestEngine::Sqlite) {
      fehler_ = v_.Exec("begin immediate");
    } else {
      fehler_ = v_.Exec("begin; select KeyBnr from Qvt560Mel where MelKsb in (" + clerks +
                        ") for update");
    }
    gehalten_ = fehler_.empty();
  }
  ~Sperre() { Freigeben(); }
  const std::string& Fehler() const { return fehler_; }

  // True once `laeufe` runs wait for their first correction. PostgreSQL
  // shows the waits; on SQLite a run waits from a few statements after its
  // start entry, so both start entries and a pause stand for it.
  bool LaeufeWarten(int laeufe, const std::string& logPfad) {
    const auto ende = Uhrzeit::now() + std::chrono::seconds(4);
    while (Uhrzeit::now() < ende) {
      if (db_.engine == TestEngine::Postgres) {
        // The statistics are read once per transaction unless cleared.
        const std::string n = v_.Wert(
            "select pg_stat_clear_snapshot(); select count(*) from pg_stat_activity "
            "where datname = current_database() and wait_event_type = 'Lock'");
        if (!n.empty() && std::stoi(n) >= laeufe) return true;
      } else {
        const std::string log = Test_ReadFile(logPfad);
        int starts = 0;
        for (size_t p = 0; (p = log.find("Funktion___: Parameter (User)", p)) != std::string::npos;
             ++p)
          ++starts;
        if (starts >= laeufe) {
          std::this_thread::sleep_for(std::chrono::milliseconds(700));
          return true;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  void Freigeben() {
    if (gehalten_) v_.Exec("commit");
    gehalten_ = false;
  }

 private:
  const TestDatenbank& db_;
  Verbindung v_;
  std::string fehler_;
  bool gehalten_ = false;
};

// ---------------------------------------------------------------------------
// Processes.

// A run of the program in the background. It waits until `tor` (the read
// end of a pipe) reaches its end, so that runs released together start
// together; stdout and stderr go to `ausgabe`.
pid_t Starten(const TestInstallation& inst, const std::string& clerk, int tor, int torSchreiben,
              const std::string& ausgabe) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  close(torSchreiben);
  char c;
  while (read(tor, &c, 1) > 0) {
  }
  close(tor);
  int fd = open(ausgabe.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || chdir(inst.workdir.c_str()) != 0) _exit(126);
  dup2(fd, 1);
  dup2(fd, 2);
  close(fd);
  setenv("QV_TEST_NOW", kKorrNow, 1);
  const std::string prog = QV_BINARY_DIR "/mldkorr";
  execl(prog.c_str(), prog.c_str(), clerk.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

// The exit status of a started process; a process still running after
// `sekunden` is killed and reported as -2 (a run that hangs).
int Ende(pid_t pid, int sekunden = 120) {
  const auto ende = Uhrzeit::now() + std::chrono::seconds(sekunden);
  int status = 0;
  for (;;) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (r < 0) return -1;
    if (Uhrzeit::now() > ende) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

double Sekunden(Uhrzeit::time_point seit) {
  return std::chrono::duration<double>(Uhrzeit::now() - seit).count();
}

// ---------------------------------------------------------------------------
// The state a run leaves: every table, the log and the buffer files.

Zeilen Tabellennamen() {
  static const Zeilen namen = [] {
    Zeilen n;
    const std::string schema = Test_ReadFile(QV_SOURCE_DIR "/schema/sqlite.sql");
    std::regex re("CREATE TABLE (\\w+) \\(");
    for (auto it = std::sregex_iterator(schema.begin(), schema.end(), re);
         it != std::sregex_iterator(); ++it)
      n.push_back((*it)[1]);
    return n;
  }();
  return namen;
}

// Log entries in file order, each from its entry-start byte.
Zeilen LogEintraege(const std::string& log) {
  Zeilen out;
  size_t p = log.find('\xFE');
  while (p != std::string::npos) {
    size_t q = log.find('\xFE', p + 1);
    out.push_back(log.substr(p, q == std::string::npos ? std::string::npos : q - p));
    p = q;
  }
  return out;
}

std::string Funktion(const std::string& eintrag) {
  size_t p = eintrag.find("Funktion___: ");
  return p == std::string::npos ? "" : eintrag.substr(p + 13, eintrag.find('\r', p) - p - 13);
}

bool IstFremdLauf(const std::string& eintrag) {
  return eintrag.find("Message____: Korrektur in anderem Lauf ausgefuehrt: ") != std::string::npos;
}

struct Stand {
  std::map<std::string, Zeilen> tabellen;         // rows sorted
  std::map<std::string, Zeilen> puffer;           // buffer file -> its 552-byte records in order
  Zeilen log;                                     // entries in file order
  std::map<std::string, std::string> pufferRest;  // bytes after the last whole record
};

struct Ort {
  TestDatenbank db;
  TestInstallation inst;
  bool eigeneDb = true;
};

// `ohne`: a condition on Qvt560Mel rows to leave out (the terminal's rows).
Stand Aufnehmen(const Ort& ort, const std::string& ohne = "") {
  Stand s;
  for (const std::string& t : Tabellennamen()) {
    std::string sql = "select * from " + t;
    if (t == "Qvt560Mel" && !ohne.empty()) sql += " where not (" + ohne + ")";
    Zeilen z = TestDb_Rows(ort.db, sql);
    std::sort(z.begin(), z.end());
    s.tabellen[t] = z;
  }
  for (const auto& e : std::filesystem::directory_iterator(ort.inst.BuffDir())) {
    const std::string inhalt = Test_ReadFile(e.path().string());
    Zeilen saetze;
    size_t p = 0;
    for (; p + 552 <= inhalt.size(); p += 552) saetze.push_back(inhalt.substr(p, 552));
    s.puffer[e.path().filename().string()] = saetze;
    if (p < inhalt.size()) s.pufferRest[e.path().filename().string()] = inhalt.substr(p);
  }
  s.log = LogEintraege(Test_ReadFile(ort.inst.LogPath()));
  return s;
}

// The rows in one multiset but not the other, at most 15 of each.
std::string Unterschied(Zeilen soll, Zeilen ist) {
  std::sort(soll.begin(), soll.end());
  std::sort(ist.begin(), ist.end());
  Zeilen nurSoll, nurIst;
  std::set_difference(soll.begin(), soll.end(), ist.begin(), ist.end(),
                      std::back_inserter(nurSoll));
  std::set_difference(ist.begin(), ist.end(), soll.begin(), soll.end(), std::back_inserter(nurIst));
  std::string out;
  for (size_t i = 0; i < nurSoll.size() && i < 15; ++i) out += "\n  missing: " + nurSoll[i];
  if (nurSoll.size() > 15) out += "\n  ... " + std::to_string(nurSoll.size()) + " missing";
  for (size_t i = 0; i < nurIst.size() && i < 15; ++i) out += "\n  extra:   " + nurIst[i];
  if (nurIst.size() > 15) out += "\n  ... " + std::to_string(nurIst.size()) + " extra";
  return out;
}

// The log entries other than the start entries and the notes on rows that
// another run took: what the corrections themselves logged.
Zeilen KorrekturEintraege(const Zeilen& log) {
  Zeilen out;
  for (const std::string& e : log) {
    if (Funktion(e) == "Parameter (User)" || IstFremdLauf(e)) continue;
    out.push_back(e);
  }
  return out;
}

Zeilen Alle(const std::map<std::string, Zeilen>& puffer) {
  Zeilen out;
  for (const auto& [datei, saetze] : puffer) {
    for (const std::string& s : saetze) out.push_back(datei + ": " + s);
  }
  return out;
}

// Upload numbers: every record numbered, 1..n without gap or double, and the
// counter at n.
void NummernLueckenlos(const Ort& ort) {
  Zeilen nummern = TestDb_Rows(ort.db, "select PpsLfn from Qvt580Pps order by PpsLfn");
  Zeilen soll;
  for (size_t i = 1; i <= nummern.size(); ++i) soll.push_back(std::to_string(i));
  EXPECT_EQ(nummern, soll) << "upload numbers" << Unterschied(soll, nummern);
  EXPECT_EQ(TestDb_Rows(ort.db, "select BnrBnr from Qvt552Bnr where BnrKey='PPSNR'"),
            Zeilen{std::to_string(nummern.size())});
}

// The planning records without their upload numbers.
Zeilen PpsOhneNummer(const Ort& ort) {
  return TestDb_Rows(ort.db,
                     "select PpsDat,PpsVkz,PpsFcd,PpsPnr,PpsApl,PpsApk,PpsApp,PpsAwn,PpsMdt,"
                     "PpsMzt,PpsUbg,PpsAug,PpsSts,PpsSto,PpsGum,PpsFam,PpsMam,PpsNam,PpsMee,"
                     "PpsZt1,PpsZt2,PpsZt3,PpsZf1,PpsZf2,PpsZf3 from Qvt580Pps");
}

// ---------------------------------------------------------------------------

class KorrParallelTest : public DbTest {
 protected:
  void SetUp() override {
    // The rows loaded here carry the same instant as those of the runs.
    setenv("QV_TEST_NOW", kKorrNow, 1);
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // The test's processes and the checks use connections of their own.
    Db_Disconnect();
  }
  void TearDown() override {
    for (Ort& o : orte_) {
      TestInst_Remove(o.inst);
      if (o.eigeneDb) TestDb_Drop(o.db);
    }
    orte_.clear();
    DbTest::TearDown();
    unsetenv("QV_TEST_NOW");
  }

  // A database with the plant and an installation of its own; the first is
  // the fixture's database.
  Ort& Neu(const Anlage& a) {
    Ort& o = orte_.emplace_back();
    if (orte_.size() == 1) {
      o.db = db_;
      o.eigeneDb = false;
    } else {
      std::string why;
      if (!TestDb_Create(GetParam(), o.db, why)) {
        ADD_FAILURE() << "second database: " << why;
        return o;
      }
    }
    EXPECT_TRUE(TestInst_Create(o.inst, o.db.login, o.db.pass, o.db.net8));
    EXPECT_EQ(TestDb_Exec(o.db, a.stamm), "");
    // The messages as the terminals and the clerk's application leave them,
    // in one transaction.
    EXPECT_EQ(Db_ConnectWith(o.db.login, o.db.pass, o.db.net8), DB_OK);
    EXPECT_EQ(Db_KorrekturBeginn(), DB_OK);
    for (const MelSatz& m : a.meldungen) {
      int st = Mel_PKeyIns(m);
      if (st != DB_OK) {
        ADD_FAILURE() << "message " << m.KeyBnr << "/" << m.KeyLfn << ": " << st;
        break;
      }
    }
    EXPECT_EQ(Db_KorrekturCommit(), DB_OK);
    Db_Disconnect();
    return o;
  }

  // One run, waited for; the program writes nothing to the console.
  double Lauf(const Ort& o, const std::string& clerk) {
    auto t0 = Uhrzeit::now();
    std::string out;
    EXPECT_EQ(TestInst_Run(o.inst, {clerk}, kKorrNow, out), 0);
    EXPECT_EQ(out, "");
    return Sekunden(t0);
  }

  // Runs of `clerks` started together. With `sperre` their corrections are
  // held back until every run waits at its first one; `ueberlappt` then says
  // whether that was seen. Returns the wall time.
  double Gleichzeitig(const Ort& o, const std::vector<std::string>& clerks, bool sperre,
                      bool* ueberlappt = nullptr) {
    std::string liste;
    for (const std::string& c : clerks) liste += (liste.empty() ? "'" : ",'") + c + "'";
    int tor[2];
    EXPECT_EQ(pipe(tor), 0);
    std::vector<pid_t> pids;
    for (size_t i = 0; i < clerks.size(); ++i) {
      pids.push_back(
          Starten(o.inst, clerks[i], tor[0], tor[1], o.inst.root + "/ausgabe" + std::to_string(i)));
    }
    close(tor[0]);
    // Taken after the fork, so that no run inherits the holder's connection.
    std::unique_ptr<Sperre> halt;
    if (sperre) {
      halt = std::make_unique<Sperre>(o.db, liste);
      EXPECT_EQ(halt->Fehler(), "");
    }
    auto t0 = Uhrzeit::now();
    close(tor[1]);  // all go
    if (halt) {
      bool gesehen = halt->LaeufeWarten(static_cast<int>(clerks.size()), o.inst.LogPath());
      if (ueberlappt) *ueberlappt = gesehen;
      halt->Freigeben();
    }
    for (size_t i = 0; i < pids.size(); ++i) {
      EXPECT_EQ(Ende(pids[i]), 0) << "run " << i << " (" << clerks[i] << ")";
      EXPECT_EQ(Test_ReadFile(o.inst.root + "/ausgabe" + std::to_string(i)), "");
    }
    return Sekunden(t0);
  }

  // Every table, the buffer records and what the corrections logged equal
  // the reference. Runs at once apply the corrections in some serial order,
  // not always the clerk's: a run may go ahead while the other still has a
  // row it alone may handle (the second mark of a booking it deleted), so the
  // planning records are compared without their upload numbers (which
  // NummernLueckenlos checks on their own).
  void GleicherStand(const Ort& sollOrt, const Stand& soll, const Ort& istOrt, const Stand& ist) {
    Zeilen pps = PpsOhneNummer(sollOrt), ppsIst = PpsOhneNummer(istOrt);
    std::sort(pps.begin(), pps.end());
    std::sort(ppsIst.begin(), ppsIst.end());
    EXPECT_TRUE(pps == ppsIst) << "planning records" << Unterschied(pps, ppsIst);
    for (const auto& [tabelle, zeilen] : soll.tabellen) {
      if (tabelle == "Qvt580Pps") continue;
      const Zeilen& z = ist.tabellen.at(tabelle);
      EXPECT_TRUE(z == zeilen) << tabelle << Unterschied(zeilen, z);
    }
    EXPECT_TRUE(ist.pufferRest.empty()) << "a buffer file ends inside a record";
    Zeilen pSoll = Alle(soll.puffer), pIst = Alle(ist.puffer);
    EXPECT_EQ(pIst.size(), pSoll.size()) << "buffer records" << Unterschied(pSoll, pIst);
    EXPECT_EQ(Unterschied(pSoll, pIst), "") << "buffer records";
    EXPECT_EQ(Unterschied(KorrekturEintraege(soll.log), KorrekturEintraege(ist.log)), "")
        << "log entries of the corrections";
  }

  const char* Maschine() const {
    return GetParam() == TestEngine::Sqlite ? "SQLite" : "PostgreSQL";
  }

  std::deque<Ort> orte_;
};
QV_DB_TEST_SUITE(KorrParallelTest);

// How many entries of a run's log say that another run took a correction.
int FremdEintraege(const Stand& s) {
  return static_cast<int>(std::count_if(s.log.begin(), s.log.end(), IstFremdLauf));
}

// The same clerk started twice at once. Both runs open their cursors
// before either corrects anything, so every correction is met by both: each
// must be applied exactly once, in the clerk's order.
TEST_P(KorrParallelTest, SameClerkTwiceAtOnceEndsAsOneRun) {
  const Anlage anlage = Mischung(30, "CLERK1");
  Ort& doppelt = Neu(anlage);
  Ort& einmal = Neu(anlage);
  ASSERT_FALSE(HasFailure());

  const double tEinmal = Lauf(einmal, "CLERK1");
  bool ueberlappt = false;
  const double tDoppelt = Gleichzeitig(doppelt, {"CLERK1", "CLERK1"}, true, &ueberlappt);
  std::printf("[ timing   ] %s: one run %.2f s, two runs at once %.2f s (overlap %s)\n", Maschine(),
              tEinmal, tDoppelt, ueberlappt ? "forced" : "not seen");

  const Stand soll = Aufnehmen(einmal);
  const Stand ist = Aufnehmen(doppelt);
  // The plant exercises what is compared.
  ASSERT_EQ(TestDb_Rows(einmal.db, "select count(*) from Qvt560Mel where MelKsb='CLERK1'"),
            Zeilen{"0"});
  EXPECT_GT(soll.tabellen.at("Qvt580Pps").size(), 200u);
  EXPECT_GT(soll.tabellen.at("Qvt563Mrk").size(), 0u);
  EXPECT_GT(soll.puffer.size(), 1u) << "records for both terminal lines";

  GleicherStand(einmal, soll, doppelt, ist);
  NummernLueckenlos(einmal);
  NummernLueckenlos(doppelt);
  EXPECT_EQ(TestDb_Rows(doppelt.db, "select count(*) from Qvt560Mel where MelKsb='CLERK1'"),
            Zeilen{"0"})
      << "a correction left pending";
  // Two start entries; a run notes another's correction at most once.
  EXPECT_EQ(std::count_if(ist.log.begin(), ist.log.end(),
                          [](const std::string& e) { return Funktion(e) == "Parameter (User)"; }),
            2);
  EXPECT_LE(FremdEintraege(ist), 2);
  if (ueberlappt) {
    EXPECT_GE(FremdEintraege(ist), 1) << "both runs met every correction";
  }
}

// The second run starts while the first is half-way: its cursor holds
// only what is still pending, as the first run's corrections left it.
TEST_P(KorrParallelTest, SameClerkStartedAgainMidwayEndsAsOneRun) {
  const Anlage anlage = Mischung(30, "CLERK1");
  Ort& doppelt = Neu(anlage);
  Ort& einmal = Neu(anlage);
  ASSERT_FALSE(HasFailure());
  Lauf(einmal, "CLERK1");
  const Stand soll = Aufnehmen(einmal);
  const size_t haelfte = soll.tabellen.at("Qvt580Pps").size() / 2;

  int tor[2];
  ASSERT_EQ(pipe(tor), 0);
  pid_t erster = Starten(doppelt.inst, "CLERK1", tor[0], tor[1], doppelt.inst.root + "/ausgabe0");
  close(tor[0]);
  close(tor[1]);
  // Wait until the first run has drawn half of its upload numbers.
  size_t gezogen = 0;
  const auto ende = Uhrzeit::now() + std::chrono::seconds(60);
  auto laeuft = [erster] {
    siginfo_t si{};
    return waitid(P_PID, static_cast<id_t>(erster), &si, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           si.si_pid == 0;
  };
  while (gezogen < haelfte && Uhrzeit::now() < ende && laeuft()) {
    Zeilen z = TestDb_Rows(doppelt.db, "select BnrBnr from Qvt552Bnr where BnrKey='PPSNR'");
    if (z.size() == 1 && z[0] != "<null>" && z[0].find('<') == std::string::npos)
      gezogen = std::stoul(z[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::string out;
  EXPECT_EQ(TestInst_Run(doppelt.inst, {"CLERK1"}, kKorrNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(Ende(erster), 0);
  EXPECT_EQ(Test_ReadFile(doppelt.inst.root + "/ausgabe0"), "");
  std::printf("[ overlap  ] %s: second run started after %zu of %zu upload numbers\n", Maschine(),
              gezogen, soll.tabellen.at("Qvt580Pps").size());

  const Stand ist = Aufnehmen(doppelt);
  GleicherStand(einmal, soll, doppelt, ist);
  NummernLueckenlos(doppelt);
  EXPECT_LE(FremdEintraege(ist), 2);
}

// Two clerks whose corrections change the same operations, run at once
// (held until both wait at their first correction): the result is that of
// the two runs one after the other.
TEST_P(KorrParallelTest, TwoClerksOnTheSameOperationsEndAsOneAfterTheOther) {
  constexpr int kAuftraege = 10;
  const Anlage anlage = Ueberlappend(kAuftraege);
  Ort& parallel = Neu(anlage);
  Ort& erst1 = Neu(anlage);
  Ort& erst2 = Neu(anlage);
  ASSERT_FALSE(HasFailure());

  double tSeriell = Lauf(erst1, "CLERK1");
  tSeriell += Lauf(erst1, "CLERK2");
  Lauf(erst2, "CLERK2");
  Lauf(erst2, "CLERK1");
  bool ueberlappt = false;
  const double tParallel = Gleichzeitig(parallel, {"CLERK1", "CLERK2"}, true, &ueberlappt);
  std::printf("[ timing   ] %s: one after the other %.2f s, at once %.2f s (overlap %s)\n",
              Maschine(), tSeriell, tParallel, ueberlappt ? "forced" : "not seen");

  const Stand s1 = Aufnehmen(erst1);
  const Stand s2 = Aufnehmen(erst2);
  const Stand ist = Aufnehmen(parallel);

  // The plant is built so that the order of the two runs does not matter.
  EXPECT_TRUE(s1.tabellen.at("Qvt504App") == s2.tabellen.at("Qvt504App") &&
              s1.tabellen.at("Qvt501Apk") == s2.tabellen.at("Qvt501Apk"))
      << "CLERK1 first and CLERK2 first differ"
      << Unterschied(s1.tabellen.at("Qvt504App"), s2.tabellen.at("Qvt504App"));
  // Master data: equal to one of the two orders.
  const Zeilen& apk = ist.tabellen.at("Qvt501Apk");
  const Zeilen& app = ist.tabellen.at("Qvt504App");
  const bool wie1 = apk == s1.tabellen.at("Qvt501Apk") && app == s1.tabellen.at("Qvt504App");
  const bool wie2 = apk == s2.tabellen.at("Qvt501Apk") && app == s2.tabellen.at("Qvt504App");
  EXPECT_TRUE(wie1 || wie2) << "order headers" << Unterschied(s1.tabellen.at("Qvt501Apk"), apk)
                            << "\noperations" << Unterschied(s1.tabellen.at("Qvt504App"), app);
  // Each operation got every difference of both clerks: 4 * 1 + 4 * 100.
  EXPECT_EQ(
      TestDb_Rows(parallel.db, "select count(*) from Qvt504App where AppIme=404 and AppSts=6"),
      Zeilen{std::to_string(2 * kAuftraege)});

  // The rest does not depend on the order either: the messages, markers and
  // counter as after the runs one after the other, the planning records the
  // same apart from their numbers, which are gap-free.
  for (const auto& [t, zeilen] : s1.tabellen) {
    if (t == "Qvt501Apk" || t == "Qvt504App" || t == "Qvt580Pps") continue;
    EXPECT_TRUE(ist.tabellen.at(t) == zeilen) << t << Unterschied(zeilen, ist.tabellen.at(t));
  }
  EXPECT_EQ(Unterschied(PpsOhneNummer(erst1), PpsOhneNummer(parallel)), "") << "planning records";
  NummernLueckenlos(parallel);
  EXPECT_EQ(TestDb_Rows(parallel.db, "select count(*) from Qvt560Mel where MelKsb<>'        '"),
            Zeilen{"0"})
      << "a correction left pending";
  // The buffer files hold as many records (their images show the quantities
  // of the moment) and the corrections logged the same.
  for (const auto& [datei, saetze] : s1.puffer) {
    EXPECT_EQ(ist.puffer.count(datei) ? ist.puffer.at(datei).size() : 0u, saetze.size()) << datei;
  }
  EXPECT_TRUE(ist.pufferRest.empty()) << "a buffer file ends inside a record";
  EXPECT_EQ(Unterschied(KorrekturEintraege(s1.log), KorrekturEintraege(ist.log)), "");
  EXPECT_EQ(FremdEintraege(ist), 0) << "the clerks share no correction";
}

// A terminal writes a message every few milliseconds while a run of 170
// corrections goes on: every message arrives, none waits long, and the run
// ends as without the terminal.
TEST_P(KorrParallelTest, TerminalKeepsWritingMessagesDuringARun) {
  const Anlage anlage = Mischung(30, "CLERK1");
  Ort& mitTerminal = Neu(anlage);
  Ort& ohne = Neu(anlage);
  ASSERT_FALSE(HasFailure());
  Lauf(ohne, "CLERK1");

  int stop[2], bereit[2], ergebnis[2];
  ASSERT_EQ(pipe(stop), 0);
  ASSERT_EQ(pipe(bereit), 0);
  ASSERT_EQ(pipe(ergebnis), 0);
  pid_t terminal = fork();
  ASSERT_GE(terminal, 0);
  if (terminal == 0) {
    // The terminal: a connection of its own, one message per insert, until
    // the stop pipe closes. Reports "inserted failed longest-wait-us error".
    close(stop[1]);
    close(bereit[0]);
    close(ergebnis[0]);
    long ok = 0, fehl = 0;
    long long laengste = 0;
    std::string ersterFehler;
    {
      Verbindung v(mitTerminal.db);
      for (;;) {
        pollfd p{stop[0], POLLIN, 0};
        if (poll(&p, 1, 0) != 0) break;
        const int sek = 10 * 3600 + static_cast<int>(ok + fehl);
        const std::string zeit = "'2026-12-08 " + Uhr(sek).substr(0, 2) + ":" +
                                 Uhr(sek).substr(2, 2) + ":" + Uhr(sek).substr(4, 2) + "'";
        const std::string sql =
            "insert into Qvt560Mel (KeyBnr,KeyLfn,ObjTyp,KeyPnr,KeyApl,KeyApk,KeyApp,Sts00E,"
            "Sts00R,Sts00A,Sts00U,Sts00S,KeyDat,KeyUhr,KeySek,KeyUbg,KeyAug,MelMsk,MelAwn,"
            "MelFcd,MelTrm,MelOff,MelFnr,MelGum,MelFam,MelMam,MelNam,MelMee,MelAec,MelTrc,"
            "MelErf,MelKsb,MelKfc,MelKgm,MelKfm,MelKmm,MelKnm,KeyTnr) values (" +
            std::to_string(900000 + ok) +
            ",0,'M_A','        ','APL09','A9000','0010','1','0','0','0','0'," + zeit + "," + zeit +
            ",'00','U1','A1','AM','W9','A02','09','0',0,1,0,0,0,'STK','0','0','TERM09',"
            "'        ','   ',0,0,0,0,'T-A9000')";
        auto t0 = Uhrzeit::now();
        std::string err = v.Exec(sql);
        long long us =
            std::chrono::duration_cast<std::chrono::microseconds>(Uhrzeit::now() - t0).count();
        laengste = std::max(laengste, us);
        if (err.empty()) {
          if (++ok == 1 && write(bereit[1], "r", 1) != 1) _exit(3);
        } else {
          ++fehl;
          if (ersterFehler.empty()) ersterFehler = err;
          if (fehl > 20) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
      }
    }
    std::string bericht = std::to_string(ok) + " " + std::to_string(fehl) + " " +
                          std::to_string(laengste) + " " + ersterFehler;
    if (write(ergebnis[1], bericht.data(), bericht.size()) < 0) _exit(2);
    _exit(0);
  }
  close(stop[0]);
  close(bereit[1]);
  close(ergebnis[1]);
  pollfd p{bereit[0], POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 20000), 1) << "the terminal wrote no message";

  const double tLauf = Lauf(mitTerminal, "CLERK1");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  close(stop[1]);
  std::string bericht;
  char buf[512];
  ssize_t n;
  while ((n = read(ergebnis[0], buf, sizeof buf)) > 0) bericht.append(buf, static_cast<size_t>(n));
  close(ergebnis[0]);
  close(bereit[0]);
  EXPECT_EQ(Ende(terminal), 0);

  long ok = 0, fehl = 0;
  long long laengste = 0;
  char fehler[400] = "";
  ASSERT_GE(std::sscanf(bericht.c_str(), "%ld %ld %lld %399[^\n]", &ok, &fehl, &laengste, fehler),
            3)
      << bericht;
  std::printf(
      "[ terminal ] %s: run %.2f s, %ld messages written by the terminal, longest insert "
      "wait %.1f ms\n",
      Maschine(), tLauf, ok, laengste / 1000.0);
  EXPECT_EQ(fehl, 0) << fehler;
  EXPECT_GT(ok, 0);
  EXPECT_LT(laengste, 5000000) << "an insert waited 5 s or more";

  // Every message is there as the terminal wrote it.
  EXPECT_EQ(TestDb_Rows(mitTerminal.db,
                        "select count(*),min(KeyBnr),max(KeyBnr) from Qvt560Mel "
                        "where KeyBnr>=900000 and MelErf='TERM09' and MelKsb='        '"),
            Zeilen{std::to_string(ok) + "|900000|" + std::to_string(900000 + ok - 1)});
  // The run did all it does without the terminal.
  const Stand soll = Aufnehmen(ohne);
  const Stand ist = Aufnehmen(mitTerminal, "KeyBnr>=900000");
  GleicherStand(ohne, soll, mitTerminal, ist);
  NummernLueckenlos(mitTerminal);
}

}  // namespace
