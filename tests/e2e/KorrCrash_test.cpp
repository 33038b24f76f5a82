// Crash safety of the correction run, on the demo plant (demo/plant.sql: the
// clerk DEMO01 has one pending correction of every kind - AEI, AEZ of an
// interruption, STA, AEZ of a machine stop, NEW, DEL - and the person, the
// runtime and the machine-only evaluation are switched on).
//
// The reference is one uninterrupted run of "mldkorr DEMO01" at the fixed
// instant kNow, in a child of the test process: every table of the database
// (both schemas), the buffer files and the log afterwards, and the number of
// statements the run takes (604 on both engines). Against it:
//   - kill sweep: the run ends by SIGKILL just before its statement N, then
//     the program runs again. Afterwards every table equals the reference,
//     the buffer files hold exactly the reference records (a record may
//     arrive twice, none may be missing, torn or foreign) and the log is the
//     reference log. Right after the kill the database holds the state after
//     some number of whole corrections (the states met, in the order of N,
//     are at most one per correction plus the start, each in one unbroken
//     range of N), the buffer files hold reference records only and the log
//     is a beginning of the reference log.
//   - fault sweep: statement N answers with an environmental status instead
//     of running; the statuses take turns over N (-54, -60, -1031, -1653,
//     -27072). The one correction is rolled back, logged once and tried
//     again: the run ends in the reference state, with the reference log
//     plus that one entry.
//   - the statements before the first correction (the seven parameter reads
//     and the cursor open): the run either reaches the reference by itself,
//     or says so in the log and a second run completes it.
//   - a lost connection at chosen statements: one entry, the run ends, a
//     second run completes it.
//   - the real program killed at random instants (the seed is printed;
//     QV_CRASH_SEED repeats it), then run again.
//
// Which N: the suite takes every third N of the kill sweep and every fifth
// of the fault sweep on SQLite, every ninth of both on PostgreSQL (under the
// sanitizers, several times slower: every 7th and 11th, every 19th);
// each sweep also takes the last statement and one past it. QV_CRASH_FULL=1
// takes every N in both sweeps on both engines, a check by hand: on a busy
// 2-core machine, RelWithDebInfo, the kill sweep took 16 s on SQLite and 94 s
// on PostgreSQL (634 points each), the fault sweep 25 s and 75 s (626 points
// each). A smaller plant with every kind and all three evaluations does not
// help enough: it still takes 350 to 430 statements (the evaluations' time
// lines are most of them).
//
// Every sweep point starts from a fresh copy of the loaded plant: SQLite
// copies the database files, PostgreSQL deletes every table's rows and copies
// them back from a schema "qvorig" of untouched copies (two to three times
// as fast as CREATE DATABASE ... TEMPLATE). The points run side by side on
// kPlaetze installations, each with its own database, so that the waits of
// one point (syncs, the pause before a correction's retry, server round
// trips) overlap with the work of another. The installations lie in /dev/shm
// where there is one: a killed process loses nothing it has written, synced
// or not, so syncs to a disk add time and nothing to what is tested here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "main/MldKorrektur.h"
#include "support/Installation.h"
#include "support/TestDb.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kNow = "20261208093000";
constexpr const char* kClerk = "DEMO01";
constexpr std::size_t kSatz = 552;
// Installations that run sweep points side by side.
constexpr int kPlaetze = 4;
// Failures reported in full per sweep; the rest are counted.
constexpr int kMaxBerichte = 5;
// The seven parameter reads and the open of the clerk cursor come before the
// first correction.
constexpr long kVorDerSchleife = 8;
// The environmental statuses that roll a correction back and retry it.
constexpr int kUmweltfehler[] = {DB_BUSY, DB_DEADLOCK, DB_NO_PRIVILEGE, DB_NO_SPACE, DB_IO_ERROR};
// Random kills of the real program per engine.
constexpr int kZufallsVersuche = 10;

// Every `kill`-th N in the kill sweep, every `fehler`-th in the fault sweep.
// QV_CRASH_FULL=1 takes every N in both sweeps on both engines (minutes).
struct Raster {
  long kill, fehler;
};
Raster RasterFuer(TestEngine e) {
  const char* voll = std::getenv("QV_CRASH_FULL");
  if (voll != nullptr && std::string(voll) == "1") return Raster{1, 1};
#if defined(__SANITIZE_ADDRESS__)
  // Under the sanitizers a run costs several times as much; the plain build
  // sweeps densely, this one looks for memory faults along the same paths.
  return e == TestEngine::Sqlite ? Raster{7, 11} : Raster{19, 19};
#else
  return e == TestEngine::Sqlite ? Raster{3, 5} : Raster{9, 9};
#endif
}

using Zeilen = std::vector<std::string>;
// Every table: its name and its rows, sorted.
using Abbild = std::map<std::string, Zeilen>;
// Buffer files: file name and content.
using Puffer = std::map<std::string, std::string>;

using Uhr = std::chrono::steady_clock;
double Sekunden(Uhr::time_point seit) {
  return std::chrono::duration<double>(Uhr::now() - seit).count();
}

// ---------------------------------------------------------------------------
// Table dumps

std::string SqliteWert(sqlite3_stmt* st, int c) {
  switch (sqlite3_column_type(st, c)) {
    case SQLITE_NULL:
      return "<null>";
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_column_int64(st, c));
    case SQLITE_FLOAT: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", sqlite3_column_double(st, c));
      return buf;
    }
    case SQLITE_BLOB: {
      const auto* p = static_cast<const unsigned char*>(sqlite3_column_blob(st, c));
      std::string out = "x'";
      char hex[3];
      for (int i = 0; i < sqlite3_column_bytes(st, c); ++i) {
        std::snprintf(hex, sizeof hex, "%02x", p[i]);
        out += hex;
      }
      return out + "'";
    }
    default: {
      // Texts with the field separator escaped, so that no two rows read alike.
      std::string out;
      for (const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c)); *t; ++t) {
        if (*t == '|' || *t == '\\') out += '\\';
        out += *t;
      }
      return out;
    }
  }
}

// Every table of `dir`/plant.db and of the calendar QvSystem.db beside it.
// Opened for writing, as the next run would: a write-ahead log left by a
// killed run is recovered, not read past.
Abbild SqliteAbbild(const std::string& dir) {
  Abbild out;
  sqlite3* h = nullptr;
  if (sqlite3_open_v2((dir + "/plant.db").c_str(), &h, SQLITE_OPEN_READWRITE, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(h);
    out["<error>"] = {"cannot open " + dir + "/plant.db"};
    return out;
  }
  sqlite3_busy_timeout(h, 5000);
  sqlite3_exec(h, ("attach '" + dir + "/QvSystem.db' as QvSystem").c_str(), nullptr, nullptr,
               nullptr);
  auto rows = [&](const std::string& sql, Zeilen& into) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
      into.push_back(std::string("<error ") + sqlite3_errmsg(h) + ">");
      return;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      std::string line;
      for (int c = 0; c < sqlite3_column_count(st); ++c) line += (c ? "|" : "") + SqliteWert(st, c);
      into.push_back(line);
    }
    if (rc != SQLITE_DONE) into.push_back(std::string("<error ") + sqlite3_errmsg(h) + ">");
    sqlite3_finalize(st);
  };
  Zeilen tabellen;
  rows(
      "select 'main.'||name from main.sqlite_master where type='table' and name not like "
      "'sqlite!_%' escape '!' union all select 'QvSystem.'||name from QvSystem.sqlite_master "
      "where type='table' and name not like 'sqlite!_%' escape '!'",
      tabellen);
  for (const std::string& t : tabellen) {
    Zeilen& z = out[t];
    if (t.rfind("<error", 0) == 0) continue;
    std::size_t punkt = t.find('.');
    rows("select * from " + t.substr(0, punkt) + ".\"" + t.substr(punkt + 1) + "\"", z);
    std::sort(z.begin(), z.end());
  }
  sqlite3_close(h);
  return out;
}

// The tables of the schemas public and qvsystem.
Zeilen PgTabellen(const TestDatenbank& db) {
  return TestDb_Rows(
      db,
      "select table_schema||'.'||table_name from information_schema.tables where "
      "table_schema in ('public','qvsystem') and table_type='BASE TABLE' order by 1");
}

// A row in its text form as a record: exact for every column type.
Abbild PgAbbild(const TestDatenbank& db) {
  Abbild out;
  for (const std::string& t : PgTabellen(db)) {
    Zeilen z = TestDb_Rows(db, "select r::text from only " + t + " r");
    std::sort(z.begin(), z.end());
    out[t] = std::move(z);
  }
  return out;
}

Abbild Datenbestand(const TestDatenbank& db) {
  return db.engine == TestEngine::Sqlite ? SqliteAbbild(db.dir) : PgAbbild(db);
}

// The rows that differ, table by table ("-" only in `soll`, "+" only in
// `ist`); empty when both are equal.
std::string Unterschied(const Abbild& soll, const Abbild& ist) {
  std::string out;
  std::set<std::string> namen;
  for (const auto& [t, z] : soll) namen.insert(t);
  for (const auto& [t, z] : ist) namen.insert(t);
  static const Zeilen kLeer;
  for (const std::string& t : namen) {
    auto s = soll.find(t);
    auto i = ist.find(t);
    if (s == soll.end() || i == ist.end()) out += "  table " + t + " missing on one side\n";
    const Zeilen& a = s == soll.end() ? kLeer : s->second;
    const Zeilen& b = i == ist.end() ? kLeer : i->second;
    if (a == b) continue;
    Zeilen nurSoll, nurIst;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(nurSoll));
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(nurIst));
    out += "  table " + t + ":\n";
    for (const std::string& r : nurSoll) out += "    - " + r + "\n";
    for (const std::string& r : nurIst) out += "    + " + r + "\n";
  }
  return out;
}

// ---------------------------------------------------------------------------
// Buffer files and log

Puffer PufferLesen(const std::string& dir) {
  Puffer out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    out[e.path().filename().string()] = Test_ReadFile(e.path().string());
  }
  return out;
}

Zeilen Saetze(const std::string& inhalt) {
  Zeilen out;
  for (std::size_t p = 0; p + kSatz <= inhalt.size(); p += kSatz)
    out.push_back(inhalt.substr(p, kSatz));
  return out;
}

// Each file a whole number of records, each record one of the reference file
// of the same name; with `vollstaendig` also every reference record there.
std::string PufferPruefen(const Puffer& soll, const Puffer& ist, bool vollstaendig) {
  std::string out;
  for (const auto& [name, inhalt] : ist) {
    if (inhalt.size() % kSatz != 0) {
      out += "  " + name + ": " + std::to_string(inhalt.size()) +
             " bytes, no whole number of records\n";
    }
    auto s = soll.find(name);
    Zeilen ref = s == soll.end() ? Zeilen{} : Saetze(s->second);
    std::set<std::string> erlaubt(ref.begin(), ref.end());
    for (const std::string& r : Saetze(inhalt)) {
      if (erlaubt.count(r) == 0) out += "  " + name + ": a record the reference did not send: " + r;
    }
  }
  if (!vollstaendig) return out;
  for (const auto& [name, inhalt] : soll) {
    auto i = ist.find(name);
    Zeilen da = i == ist.end() ? Zeilen{} : Saetze(i->second);
    std::set<std::string> vorhanden(da.begin(), da.end());
    for (const std::string& r : Saetze(inhalt)) {
      if (vorhanden.count(r) == 0) out += "  " + name + ": record missing: " + r;
    }
  }
  return out;
}

// The log's entries; each starts with the byte 0xFE at the start of a line.
Zeilen Eintraege(const std::string& log) {
  Zeilen out;
  std::size_t p = 0;
  while (p < log.size()) {
    std::size_t q = log.find("\n\xFE\r\n", p);
    std::size_t ende = q == std::string::npos ? log.size() : q + 1;
    out.push_back(log.substr(p, ende - p));
    p = ende;
  }
  return out;
}

std::string Verbunden(const Zeilen& z, std::size_t ab = 0) {
  std::string out;
  for (std::size_t i = ab; i < z.size(); ++i) out += z[i];
  return out;
}

bool Enthaelt(const std::string& text, const std::string& teil) {
  return text.find(teil) != std::string::npos;
}

std::string Code(int status) {
  return "ErrorCode__: " + std::to_string(status) + "\r\n";
}

std::string Ende(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

bool Normal(int status) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// ---------------------------------------------------------------------------
// Installations

// Where the installations go: /dev/shm when it can take them, else the
// temporary folder.
std::string Basis() {
  std::string probe = "/dev/shm/qvcrash.XXXXXX";
  if (char* d = mkdtemp(probe.data())) {
    fs::remove(d);
    return "/dev/shm";
  }
  return fs::temp_directory_path().string();
}

// The layout of TestInst_Create, in `basis`.
bool Installieren(TestInstallation& inst, const std::string& basis, const std::string& login,
                  const std::string& pass, const std::string& net8) {
  std::string templ = basis + "/qvcrash.XXXXXX";
  if (mkdtemp(templ.data()) == nullptr) return false;
  inst.root = templ;
  inst.workdir = inst.root + "/i1/i2/i3/run";
  std::error_code ec;
  fs::create_directories(inst.workdir + "/Msg", ec);
  fs::create_directories(inst.BuffDir(), ec);
  fs::create_directories(inst.root + "/files", ec);
  std::string out;
  for (auto [name, value] : {std::pair{"LOGIN", login}, {"PASS", pass}, {"NET8", net8}}) {
    if (Test_RunProgram(QV_BINARY_DIR "/qvini", {"set", inst.IniPath(), name, value}, inst.root, "",
                        out) != 0)
      return false;
  }
  return !ec;
}

// One installation with its own database, and the sweep point it runs.
struct Platz {
  TestInstallation inst;
  TestDatenbank db;
  std::string wiederherstellen;  // PostgreSQL: the SQL that restores every table
  pid_t pid = 0;                 // its running process
  int phase = 0;                 // of the point: 0 its first run, 1 the run after it
  std::string logVorher;         // the log as the first run left it, less its last entries
  std::size_t zweiterAb = 0;     // where the entries of the second run begin (0: no first run)
  std::string Log() const { return Test_ReadFile(inst.LogPath()); }
  std::string Ausgabe() const { return inst.root + "/ausgabe.txt"; }
};

// Child process: stdout and stderr into the installation's output file, the
// working directory and the clock of a run.
void KindVorbereiten(const Platz& p) {
  int fd = ::open(p.Ausgabe().c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd >= 0) {
    dup2(fd, 1);
    dup2(fd, 2);
    close(fd);
  }
  if (chdir(p.inst.workdir.c_str()) != 0) _exit(126);
  setenv("QV_TEST_NOW", kNow, 1);
}

class KorrCrashTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // The test process keeps no session of the program's own: a child made
    // by fork() must never share its connection.
    Db_Disconnect();
    basis_ = Basis();
    if (GetParam() == TestEngine::Sqlite) {
      // db_ holds the loaded plant; every installation gets copies of it.
      ASSERT_EQ(Exec(Test_ReadFile(QV_SOURCE_DIR "/demo/plant.sql")), "");
    }
    ASSERT_NO_FATAL_FAILURE(Plaetze(1));
    Platz& p = plaetze_[0];
    anfang_ = Datenbestand(p.db);
    ASSERT_GT(anfang_.size(), 20u) << Unterschied({}, anfang_);
    korrekturen_ = TestDb_Rows(p.db, std::string("select KeyBnr||'/'||KeyLfn from Qvt560Mel "
                                                 "where MelKsb='") +
                                         kClerk + "' order by 1");
    ASSERT_EQ(korrekturen_.size(), 6u) << "one pending correction of every kind";

    // The reference: one uninterrupted run, its statements counted.
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    auto t0 = Uhr::now();
    pid_t pid = ImProzess(p, DbFehlerPlan{}, rohr[1]);
    close(rohr[1]);
    long n = 0;
    ASSERT_EQ(read(rohr[0], &n, sizeof n), static_cast<ssize_t>(sizeof n));
    close(rohr[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    p.pid = 0;
    ASSERT_TRUE(Normal(status)) << Ende(status) << Test_ReadFile(p.Ausgabe());
    laufzeit_ = Sekunden(t0);
    anweisungen_ = n;
    referenz_ = Datenbestand(p.db);
    refPuffer_ = PufferLesen(p.inst.BuffDir());
    refLog_ = p.Log();
    ASSERT_GT(anweisungen_, kVorDerSchleife);
    std::cout << "[          ] " << TestEngine_Name({GetParam(), 0}) << ": the run takes "
              << anweisungen_ << " statements, " << static_cast<int>(laufzeit_ * 1000) << " ms\n";
  }

  void TearDown() override {
    for (Platz& p : plaetze_) {
      if (p.pid > 0) {
        ::kill(p.pid, SIGKILL);
        waitpid(p.pid, nullptr, 0);
      }
      TestInst_Remove(p.inst);
      if (GetParam() == TestEngine::Postgres) TestDb_Drop(p.db);
    }
    DbTest::TearDown();
  }

  // Makes installations until there are `anzahl`, each with the loaded plant.
  void Plaetze(int anzahl) {
    while (static_cast<int>(plaetze_.size()) < anzahl) {
      plaetze_.emplace_back();
      Platz& p = plaetze_.back();
      if (GetParam() == TestEngine::Sqlite) {
        // Named relative to the working directory, so the configuration
        // value stays short wherever the installation lies.
        ASSERT_TRUE(
            Installieren(p.inst, basis_, db_.login, db_.pass, "sqlite:../../../../db/plant.db"));
        p.db = db_;
        p.db.dir = p.inst.root + "/db";
      } else {
        std::string why;
        ASSERT_TRUE(TestDb_Create(TestEngine::Postgres, p.db, why)) << why;
        ASSERT_EQ(TestDb_Exec(p.db, Test_ReadFile(QV_SOURCE_DIR "/demo/plant.sql")), "");
        std::string kopie = "create schema qvorig;";
        p.wiederherstellen = "begin;";
        for (const std::string& t : PgTabellen(p.db)) {
          std::size_t punkt = t.find('.');
          std::string orig = "qvorig." + t.substr(0, punkt) + "_" + t.substr(punkt + 1);
          kopie += "create table " + orig + " as table " + t + ";";
          p.wiederherstellen += "delete from " + t + "; insert into " + t + " table " + orig + ";";
        }
        p.wiederherstellen += "commit;";
        ASSERT_EQ(TestDb_Exec(p.db, kopie), "");
        ASSERT_TRUE(Installieren(p.inst, basis_, p.db.login, p.db.pass, p.db.net8));
      }
      ASSERT_NO_FATAL_FAILURE(Zuruecksetzen(p));
    }
  }

  // PostgreSQL: waits until the session of the last run has ended on the
  // server, so that none of its locks is left when the next run starts.
  void SitzungenAbwarten(const Platz& p) {
    if (GetParam() != TestEngine::Postgres) return;
    for (int i = 0; i < 1000; ++i) {
      if (TestDb_Rows(p.db,
                      "select count(*) from pg_stat_activity where datname = "
                      "current_database() and pid <> pg_backend_pid() and "
                      "backend_type = 'client backend'") == Zeilen{"0"})
        return;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ADD_FAILURE() << "the session of a finished run is still on the server";
  }

  // The installation as before any run: the loaded plant, no buffer files,
  // no log.
  void Zuruecksetzen(Platz& p) {
    std::error_code ec;
    if (GetParam() == TestEngine::Sqlite) {
      fs::remove_all(p.db.dir, ec);
      fs::create_directories(p.db.dir, ec);
      for (const char* f : {"plant.db", "QvSystem.db"}) {
        ASSERT_TRUE(fs::copy_file(db_.dir + "/" + f, p.db.dir + "/" + f, ec)) << ec.message();
      }
    } else {
      SitzungenAbwarten(p);
      ASSERT_EQ(TestDb_Exec(p.db, p.wiederherstellen), "");
    }
    fs::remove_all(p.inst.BuffDir(), ec);
    fs::create_directories(p.inst.BuffDir(), ec);
    fs::remove(p.inst.LogPath(), ec);
    fs::remove(p.Ausgabe(), ec);
    p.logVorher.clear();
    p.zweiterAb = 0;
  }

  // The program in a copy of this process (fork) under a fault plan; with
  // `zaehler`, the child writes the number of statements it ran there.
  // The run in process with statement `n` answering `status`.
  pid_t MitFehler(Platz& p, long n, int status) {
    DbFehlerPlan plan;
    plan.nth = n;
    plan.nthStatus = status;
    return ImProzess(p, plan);
  }
  // Where a failure report of a sweep point starts.
  static std::string Wo(long n, int status) {
    return "status " + std::to_string(status) + " at statement " + std::to_string(n) + ":\n";
  }

  pid_t ImProzess(Platz& p, const DbFehlerPlan& plan, int zaehler = -1) {
    EXPECT_FALSE(Db_Connected());
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      KindVorbereiten(p);
      Db_SetFaultPlanForTest(plan);
      const char* argv[] = {"mldkorr", kClerk};
      // The exit status is always 0; the statement count is what is reported.
      (void)Mld_Main(2, argv);
      long n = Db_StatementCount();
      if (zaehler >= 0 && write(zaehler, &n, sizeof n) != static_cast<ssize_t>(sizeof n)) {
        _exit(125);
      }
      _exit(0);
    }
    p.pid = pid;
    return pid;
  }

  // The real program, build/mldkorr.
  // The real program; with `dateiGrenze` > 0 under that file-size limit.
  pid_t Programm(Platz& p, rlim_t dateiGrenze = 0) {
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      KindVorbereiten(p);
      if (dateiGrenze > 0) {
        struct rlimit grenze {};
        grenze.rlim_cur = grenze.rlim_max = dateiGrenze;
        if (setrlimit(RLIMIT_FSIZE, &grenze) != 0) _exit(126);
      }
      execl(QV_BINARY_DIR "/mldkorr", "mldkorr", kClerk, static_cast<char*>(nullptr));
      _exit(127);
    }
    p.pid = pid;
    return pid;
  }

  int Warten(Platz& p) {
    int status = 0;
    EXPECT_EQ(waitpid(p.pid, &status, 0), p.pid);
    p.pid = 0;
    return status;
  }

  // The database as the next run finds it. SQLite on a copy of the files, so
  // that the program's own run meets them exactly as a kill left them
  // (opening them recovers the write-ahead log).
  Abbild Zustand(const Platz& p) {
    if (GetParam() == TestEngine::Postgres) {
      SitzungenAbwarten(p);
      return Datenbestand(p.db);
    }
    std::string kopie = p.inst.root + "/kopie";
    std::error_code ec;
    fs::remove_all(kopie, ec);
    fs::create_directories(kopie, ec);
    for (const auto& e : fs::directory_iterator(p.db.dir, ec)) {
      if (e.path().string().ends_with("-shm")) continue;
      fs::copy_file(e.path(), kopie + "/" + e.path().filename().string(), ec);
    }
    return SqliteAbbild(kopie);
  }

  // What a first run that ended early left: the buffer files hold reference
  // records only, and the log, but for its last `ohne` entries, is a
  // beginning of the reference log. Empty when so.
  std::string Zwischenstand(Platz& p, std::size_t ohne = 0) {
    std::string out;
    std::string log = p.Log();
    p.zweiterAb = log.size();
    Zeilen e = Eintraege(log);
    if (e.empty() || e.size() < ohne) return "  no log entry\n";
    p.logVorher = Verbunden(Zeilen(e.begin(), e.end() - static_cast<long>(ohne)));
    if (refLog_.compare(0, p.logVorher.size(), p.logVorher) != 0) {
      out += "  the log is no beginning of the reference log:\n" + p.logVorher;
    }
    std::string puffer = PufferPruefen(refPuffer_, PufferLesen(p.inst.BuffDir()), false);
    if (!puffer.empty()) out += "  buffer files:\n" + puffer;
    return out;
  }

  // The database, buffer files and log after the last run against the
  // reference; empty when they match. The log a first run left (logVorher)
  // and the entries of the last run, without its parameter entry, make the
  // reference log: nothing logged twice, nothing lost.
  std::string GegenReferenz(const Platz& p) {
    std::string out = Unterschied(referenz_, Datenbestand(p.db));
    Puffer ist = PufferLesen(p.inst.BuffDir());
    std::string puffer = PufferPruefen(refPuffer_, ist, true);
    if (!puffer.empty()) out += "  buffer files:\n" + puffer;
    std::size_t saetze = 0, refSaetze = 0;
    for (const auto& [name, inhalt] : ist) saetze += inhalt.size() / kSatz;
    for (const auto& [name, inhalt] : refPuffer_) refSaetze += inhalt.size() / kSatz;
    if (saetze > refSaetze) ++doppelt_;
    std::string ganz = p.Log();
    Zeilen neu = Eintraege(ganz.substr(std::min(p.zweiterAb, ganz.size())));
    std::string log = p.logVorher + Verbunden(neu, p.zweiterAb == 0 ? 0 : 1);
    if (neu.empty() || !Enthaelt(neu[0], "Funktion___: Parameter (User)")) {
      out += "  the log has no entry of the last run\n";
    } else if (log != refLog_) {
      out += "  the log differs from the reference log:\n" + log + "\n  reference:\n" + refLog_;
    }
    std::string ausgabe = Test_ReadFile(p.Ausgabe());
    if (!ausgabe.empty()) out += "  console output: " + ausgabe + "\n";
    return out;
  }

  // Runs sweep points side by side on kPlaetze installations. `start` gets a
  // reset installation and starts a point's first process; `weiter` gets the
  // wait status of a point's process and starts its next one, or returns 0
  // when the point is done.
  void Verteilen(const std::vector<long>& punkte, const std::function<pid_t(Platz&, long)>& start,
                 const std::function<pid_t(Platz&, long, int)>& weiter) {
    ASSERT_NO_FATAL_FAILURE(Plaetze(kPlaetze));
    std::vector<long> punkt(plaetze_.size());
    std::size_t naechster = 0;
    int laufend = 0;
    for (;;) {
      for (std::size_t i = 0; i < plaetze_.size() && naechster < punkte.size(); ++i) {
        Platz& p = plaetze_[i];
        if (p.pid > 0) continue;
        punkt[i] = punkte[naechster++];
        p.phase = 0;
        ASSERT_NO_FATAL_FAILURE(Zuruecksetzen(p));
        ASSERT_GT(start(p, punkt[i]), 0) << "fork failed";
        ++laufend;
      }
      if (laufend == 0) return;
      int status = 0;
      pid_t fertig = waitpid(-1, &status, 0);
      ASSERT_GT(fertig, 0) << "waitpid failed";
      for (std::size_t i = 0; i < plaetze_.size(); ++i) {
        Platz& p = plaetze_[i];
        if (p.pid != fertig) continue;
        p.pid = 0;
        if (weiter(p, punkt[i], status) <= 0) --laufend;
      }
    }
  }

  // Every `schritt`-th N from `erstes`, and the last statement and one past it.
  std::vector<long> Punkte(long erstes, long schritt) const {
    std::vector<long> out;
    for (long n = erstes; n < anweisungen_; n += schritt) out.push_back(n);
    out.push_back(anweisungen_);
    out.push_back(anweisungen_ + 1);
    return out;
  }

  // Collects the failures of a sweep: the first kMaxBerichte in full.
  void Fehler(const std::string& was) {
    if (++fehler_ <= kMaxBerichte) ADD_FAILURE() << was;
  }
  void Bilanz(const std::string& sweep, std::size_t punkte, Uhr::time_point t0) {
    std::cout << "[          ] " << sweep << ": " << punkte << " points in "
              << static_cast<int>(Sekunden(t0) * 10) / 10.0 << " s, " << doppelt_
              << " of them ended with a record delivered twice\n";
    if (fehler_ > kMaxBerichte) {
      ADD_FAILURE() << sweep << ": " << fehler_ << " points failed, the first " << kMaxBerichte
                    << " are reported above";
    }
  }

  std::string basis_;
  std::vector<Platz> plaetze_;
  Abbild anfang_, referenz_;
  Puffer refPuffer_;
  std::string refLog_;
  Zeilen korrekturen_;
  long anweisungen_ = 0;
  double laufzeit_ = 0;
  int fehler_ = 0;
  int doppelt_ = 0;  // checks that found a buffer record twice
};
QV_DB_TEST_SUITE(KorrCrashTest);

// The reference really covers what the sweeps are meant to cover, and the
// real program, which runs again after a crash, does the same.
TEST_P(KorrCrashTest, UninterruptedRunIsTheReference) {
  Platz& p = plaetze_[0];
  EXPECT_EQ(TestDb_Rows(p.db,
                        "select KeyBnr, MelKfc from Qvt560Mel where MelKsb in "
                        "('DEMO01','KLEIN') order by 1"),
            Zeilen{"4810213|AEI"})
      << "every correction of DEMO01 taken, the other clerk's left pending";
  EXPECT_EQ(TestDb_Rows(p.db,
                        "select distinct case when NzaSa in (1,2) then 'person' when "
                        "NzaSa=13 then 'machine' else 'runtime' end from Qvt590Nza order by 1"),
            (Zeilen{"machine", "person", "runtime"}));
  EXPECT_NE(Unterschied(anfang_, referenz_), "");
  ASSERT_EQ(refPuffer_.size(), 2u) << "both terminal lines get records";
  for (const auto& [name, inhalt] : refPuffer_) {
    EXPECT_FALSE(inhalt.empty()) << name;
    EXPECT_EQ(inhalt.size() % kSatz, 0u) << name;
  }
  ASSERT_FALSE(Eintraege(refLog_).empty());
  EXPECT_TRUE(Enthaelt(Eintraege(refLog_)[0], "Funktion___: Parameter (User)"));

  Zuruecksetzen(p);
  std::string out;
  ASSERT_EQ(TestInst_Run(p.inst, {kClerk}, kNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(GegenReferenz(p), "");
  // A second run finds nothing left to do.
  std::size_t vorher = p.Log().size();
  ASSERT_EQ(TestInst_Run(p.inst, {kClerk}, kNow, out), 0);
  EXPECT_EQ(Eintraege(p.Log().substr(vorher)).size(), 1u);
  EXPECT_EQ(Unterschied(referenz_, Datenbestand(p.db)), "");
  EXPECT_EQ(PufferLesen(p.inst.BuffDir()), refPuffer_);
}

// A crash before a statement of the run, the program run again: nothing is
// lost, nothing done twice, the buffer files complete. Right after the crash
// only whole corrections are in the database.
TEST_P(KorrCrashTest, KillBeforeAStatementThenRunAgain) {
  std::vector<long> punkte = Punkte(1, RasterFuer(GetParam()).kill);
  std::vector<Abbild> zustaende;  // the distinct states right after a kill
  std::map<long, std::size_t> zustandNachN;
  auto t0 = Uhr::now();
  Verteilen(
      punkte,
      [&](Platz& p, long n) {
        DbFehlerPlan plan;
        plan.killAt = n;
        return ImProzess(p, plan);
      },
      [&](Platz& p, long n, int status) -> pid_t {
        const std::string wo = "kill before statement " + std::to_string(n) + ":\n";
        if (p.phase == 1) {
          std::string d = Normal(status) ? GegenReferenz(p) : "  ended with " + Ende(status);
          if (!d.empty()) Fehler(wo + "  after the second run\n" + d);
          return 0;
        }
        bool getoetet = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        if (n <= anweisungen_ ? !getoetet : !Normal(status)) {
          Fehler(wo + "  the run ended with " + Ende(status) + "\n" + Test_ReadFile(p.Ausgabe()));
          return 0;
        }
        std::string fehler = Zwischenstand(p);
        Abbild a = Zustand(p);
        std::size_t z = 0;
        while (z < zustaende.size() && zustaende[z] != a) ++z;
        if (z == zustaende.size()) zustaende.push_back(a);
        zustandNachN[n] = z;
        if (n > anweisungen_) {
          // Nothing was killed: the run itself is the reference.
          fehler += Unterschied(referenz_, a);
          if (p.logVorher != refLog_) fehler += "  the log differs from the reference log\n";
        }
        if (!fehler.empty()) {
          Fehler(wo + "  right after the kill\n" + fehler);
          return 0;
        }
        if (n > anweisungen_) return 0;
        p.phase = 1;
        SitzungenAbwarten(p);
        return ImProzess(p, DbFehlerPlan{});
      });
  Bilanz("kill sweep", punkte.size(), t0);

  // The states right after a kill, in the order of N: the plant as loaded,
  // then the state after each committed correction, each met in one unbroken
  // range of N, the last the reference. A correction committed piece by piece would
  // show a state more, or one that comes back.
  // The places report in any order, so the states are ranked here by the
  // first N at which each was met.
  ASSERT_EQ(zustandNachN.size(), punkte.size());
  std::map<std::size_t, std::size_t> rang;
  for (const auto& [n, z] : zustandNachN) {
    const std::size_t naechster = rang.size();
    rang.emplace(z, naechster);
  }
  std::string folge;
  bool zurueck = false;
  std::size_t hoechster = 0;
  for (const auto& [n, zustand] : zustandNachN) {
    const std::size_t z = rang[zustand];
    zurueck = zurueck || z < hoechster;
    hoechster = std::max(hoechster, z);
    if (folge.empty() || folge.back() != static_cast<char>('A' + z))
      folge += static_cast<char>('A' + z);
  }
  std::cout << "[          ] states after a kill, in the order of N: " << folge << "\n";
  EXPECT_FALSE(zurueck) << folge;
  EXPECT_LE(zustaende.size(), korrekturen_.size() + 1) << folge;
  EXPECT_EQ(Unterschied(anfang_, zustaende.front()), "") << "a kill before the first statement";
  EXPECT_EQ(Unterschied(referenz_, zustaende[zustandNachN.rbegin()->second]), "");
}

// An environmental failure of one statement inside a correction: that
// correction is rolled back, logged once with the status and applied again;
// the run ends as if nothing had happened, but for that entry.
TEST_P(KorrCrashTest, EnvironmentalFailureInsideACorrectionIsRetried) {
  std::vector<long> punkte = Punkte(kVorDerSchleife + 1, RasterFuer(GetParam()).fehler);
  std::map<long, int> statusVon;
  for (std::size_t i = 0; i < punkte.size(); ++i) {
    statusVon[punkte[i]] = kUmweltfehler[i % std::size(kUmweltfehler)];
  }
  std::set<std::string> schluessel;
  for (const std::string& k : korrekturen_) schluessel.insert("Message____: Korrektur " + k + " ");
  auto t0 = Uhr::now();
  Verteilen(
      punkte, [&](Platz& p, long n) { return MitFehler(p, n, statusVon[n]); },
      [&](Platz& p, long n, int status) -> pid_t {
        const int st = statusVon[n];
        const std::string wo = Wo(n, st);
        if (!Normal(status)) {
          Fehler(wo + "  the run ended with " + Ende(status) + "\n" + Test_ReadFile(p.Ausgabe()));
          return 0;
        }
        // The one entry of the rollback, taken out, leaves the reference log.
        Zeilen e = Eintraege(p.Log());
        Zeilen rest, zurueck;
        for (const std::string& x : e) {
          (Enthaelt(x, " zurueckgesetzt: ") ? zurueck : rest).push_back(x);
        }
        std::string fehler;
        if (n > anweisungen_) {
          if (!zurueck.empty()) fehler += "  a rollback without a failure:\n" + zurueck[0];
        } else if (zurueck.size() != 1) {
          fehler +=
              "  " + std::to_string(zurueck.size()) + " rollback entries:\n" + Verbunden(zurueck);
        } else {
          const std::string& z = zurueck[0];
          bool bekannt = std::any_of(schluessel.begin(), schluessel.end(),
                                     [&](const std::string& k) { return Enthaelt(z, k); });
          if (!bekannt || !Enthaelt(z, "Funktion___: Mld_Korrektur\r\n") ||
              !Enthaelt(z, Code(st))) {
            fehler +=
                "  the rollback entry does not name a correction of the run and the status:\n" + z;
          }
        }
        // The rest as any run: database, buffer files, log.
        Test_WriteFile(p.inst.LogPath(), Verbunden(rest));
        fehler += GegenReferenz(p);
        if (!fehler.empty()) Fehler(wo + fehler);
        return 0;
      });
  Bilanz("fault sweep", punkte.size(), t0);
}

// Before the first correction the run reads its seven parameters and opens
// the clerk cursor. A failure there must not go unnoticed: either the run
// still reaches the reference by itself, or it logs the status and a second
// run completes the work.
TEST_P(KorrCrashTest, EnvironmentalFailureBeforeTheFirstCorrection) {
  std::vector<long> punkte;
  for (long n = 1; n <= kVorDerSchleife; ++n) punkte.push_back(n);
  auto t0 = Uhr::now();
  Verteilen(
      punkte,
      [&](Platz& p, long n) {
        DbFehlerPlan plan;
        plan.nth = n;
        plan.nthStatus = DB_BUSY;
        return ImProzess(p, plan);
      },
      [&](Platz& p, long n, int status) -> pid_t {
        std::string wo = "status -54 at statement " + std::to_string(n) + ":\n";
        if (p.phase == 1) {
          std::string d = Normal(status) ? GegenReferenz(p) : "  ended with " + Ende(status);
          if (!d.empty())
            Fehler(wo + "  the run logged the failure, but a second run does not complete it\n" +
                   d);
          return 0;
        }
        if (!Normal(status)) {
          Fehler(wo + "  the run ended with " + Ende(status));
          return 0;
        }
        std::string log = p.Log();
        if (Unterschied(referenz_, Zustand(p)).empty() && log == refLog_ &&
            PufferLesen(p.inst.BuffDir()) == refPuffer_) {
          return 0;  // the failure changed nothing
        }
        if (!Enthaelt(log, Code(DB_BUSY))) {
          Fehler(wo +
                 "  the run went on without the statement and ended differently, with no "
                 "word in the log:\n" +
                 Unterschied(referenz_, Zustand(p)));
          return 0;
        }
        Zeilen e = Eintraege(log);
        std::string fehler = Zwischenstand(p, 1);
        if (!Enthaelt(e.back(), Code(DB_BUSY)))
          fehler += "  the run went on after logging the failure\n";
        if (!fehler.empty()) {
          Fehler(wo + fehler);
          return 0;
        }
        p.phase = 1;
        return Programm(p);
      });
  Bilanz("failures before the first correction", punkte.size(), t0);
  // The cursor open, the last of them, is logged as such.
  Platz& p = plaetze_[0];
  Zuruecksetzen(p);
  DbFehlerPlan plan;
  plan.nth = kVorDerSchleife;
  plan.nthStatus = DB_BUSY;
  ImProzess(p, plan);
  ASSERT_TRUE(Normal(Warten(p)));
  EXPECT_EQ(p.Log(), Eintraege(refLog_)[0] + Test_LogEntry("08.12.26", "09:30:00", "Mel_KsbCur",
                                                           "Mld_Korrektur", DB_BUSY));
}

// A lost connection: one entry names it and the run ends; what it left is
// whole corrections and reference records, and a second run completes it.
TEST_P(KorrCrashTest, LostConnectionEndsTheRunAndTheNextRunCompletesIt) {
  const long n = anweisungen_;
  std::map<long, int> statusVon = {{kVorDerSchleife + 1, DB_NOT_CONNECTED},
                                   {n / 4, DB_NOT_CONNECTED},
                                   {n / 3, DB_NOT_LOGGED_ON},
                                   {n / 2, DB_NOT_CONNECTED},
                                   {3 * n / 4, DB_NOT_CONNECTED},
                                   {n, DB_NOT_CONNECTED}};
  std::vector<long> punkte;
  for (const auto& [k, st] : statusVon) punkte.push_back(k);
  auto t0 = Uhr::now();
  Verteilen(
      punkte, [&](Platz& p, long k) { return MitFehler(p, k, statusVon[k]); },
      [&](Platz& p, long k, int status) -> pid_t {
        const int st = statusVon[k];
        const std::string wo = Wo(k, st);
        if (p.phase == 1) {
          std::string d = Normal(status) ? GegenReferenz(p) : "  ended with " + Ende(status);
          if (!d.empty()) Fehler(wo + "  after the second run\n" + d);
          return 0;
        }
        if (!Normal(status)) {
          Fehler(wo + "  the run ended with " + Ende(status));
          return 0;
        }
        Zeilen e = Eintraege(p.Log());
        std::string fehler;
        int verloren = 0;
        for (const std::string& x : e) {
          if (Enthaelt(x, "Message____: Verbindung verloren: ")) ++verloren;
          if (Enthaelt(x, " zurueckgesetzt: ")) fehler += "  a rollback entry:\n" + x;
        }
        if (verloren != 1 || !Enthaelt(e.back(), "Message____: Verbindung verloren: ") ||
            !Enthaelt(e.back(), "Funktion___: Mld_Korrektur\r\n" + Code(st))) {
          fehler += "  not one last entry of the lost connection:\n" + Verbunden(e);
        }
        fehler += Zwischenstand(p, 1);
        if (Unterschied(referenz_, Zustand(p)).empty()) fehler += "  the run did not end early\n";
        if (!fehler.empty()) {
          Fehler(wo + fehler);
          return 0;
        }
        p.phase = 1;
        return Programm(p);
      });
  Bilanz("lost connection", punkte.size(), t0);
}

// The real program killed at random instants; the next run completes it.
TEST_P(KorrCrashTest, RealProgramKilledAtRandomInstants) {
  Platz& p = plaetze_[0];
  // How long an uninterrupted run of the program takes here.
  Zuruecksetzen(p);
  auto t0 = Uhr::now();
  Programm(p);
  ASSERT_TRUE(Normal(Warten(p)));
  const double dauer = Sekunden(t0);
  ASSERT_EQ(GegenReferenz(p), "");

  unsigned seed = std::random_device{}();
  if (const char* s = std::getenv("QV_CRASH_SEED"))
    seed = static_cast<unsigned>(std::strtoul(s, nullptr, 10));
  std::cout << "[          ] seed " << seed << " (QV_CRASH_SEED repeats it), run "
            << static_cast<int>(dauer * 1000) << " ms\n";
  std::mt19937 zufall(seed);
  std::uniform_real_distribution<double> verzoegerung(0, dauer);
  int getoetet = 0;
  // The first run may have been slow (a busy machine): while no run has been
  // killed, further runs are killed within a quarter of its time.
  for (int versuch = 0;
       versuch < kZufallsVersuche || (getoetet == 0 && versuch < 3 * kZufallsVersuche); ++versuch) {
    Zuruecksetzen(p);
    const double d = verzoegerung(zufall) * (versuch < kZufallsVersuche ? 1.0 : 0.25);
    SCOPED_TRACE("kill after " + std::to_string(static_cast<int>(d * 1e6)) + " us");
    Programm(p);
    std::this_thread::sleep_for(std::chrono::duration<double>(d));
    ::kill(p.pid, SIGKILL);
    int status = Warten(p);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
      ++getoetet;
    } else {
      EXPECT_TRUE(Normal(status)) << Ende(status);
    }
    // The log may lack the entries of a correction committed just before the
    // kill (they are written after the commit), so it is only checked to
    // have nothing that is not in the reference log.
    std::string log = p.Log();
    EXPECT_EQ(refLog_.compare(0, log.size(), log), 0) << log;
    EXPECT_EQ(PufferPruefen(refPuffer_, PufferLesen(p.inst.BuffDir()), false), "");
    SitzungenAbwarten(p);
    std::string out;
    ASSERT_EQ(TestInst_Run(p.inst, {kClerk}, kNow, out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Unterschied(referenz_, Datenbestand(p.db)), "");
    EXPECT_EQ(PufferPruefen(refPuffer_, PufferLesen(p.inst.BuffDir()), true), "");
    std::string zweiter = p.Log().substr(log.size());
    EXPECT_FALSE(Enthaelt(zweiter, " zurueckgesetzt: ") || Enthaelt(zweiter, "Verbindung verloren"))
        << zweiter;
  }
  std::cout << "[          ] " << getoetet << " runs killed\n";
  EXPECT_GT(getoetet, 0) << "every run ended before its kill";
}

// A file-size limit makes writes fail as on a full disk: the database's log
// (SQLite), the buffer files and the message log. The run is not killed by
// the limit, leaves no torn log entry or buffer record, and the next run
// without the limit completes the work.
TEST_P(KorrCrashTest, FileSizeLimitFailsLikeAFullDisk) {
  Platz& p = plaetze_[0];
  Zuruecksetzen(p);
  Programm(p, 1024);
  const int status = Warten(p);
  ASSERT_TRUE(WIFEXITED(status)) << Ende(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::string log = p.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_LE(log.size(), 1024u);
  // Whole entries only: each one ends with its error code line.
  size_t anfang = 0;
  while (anfang < log.size()) {
    ASSERT_EQ(log[anfang], '\xFE') << log;
    size_t naechster = log.find('\xFE', anfang + 1);
    const std::string eintrag = log.substr(anfang, naechster - anfang);
    const size_t code = eintrag.rfind("\r\nErrorCode__: ");
    ASSERT_NE(code, std::string::npos) << eintrag;
    EXPECT_EQ(eintrag.back(), '\n') << eintrag;
    anfang = naechster == std::string::npos ? log.size() : naechster;
  }
  EXPECT_EQ(PufferPruefen(refPuffer_, PufferLesen(p.inst.BuffDir()), false), "");
  // On SQLite the database's own log meets the limit too, so every
  // correction is rolled back and the next run does all of it. On a server
  // only the files of the run meet it: a record that could not be written
  // leaves its row marked for the next download, as on a full disk.
  if (GetParam() != TestEngine::Sqlite) return;
  SitzungenAbwarten(p);
  std::string out;
  ASSERT_EQ(TestInst_Run(p.inst, {kClerk}, kNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(Unterschied(referenz_, Datenbestand(p.db)), "");
  EXPECT_EQ(PufferPruefen(refPuffer_, PufferLesen(p.inst.BuffDir()), true), "");
}

}  // namespace
