// The download record and the buffer files of the terminal lines.
#include "download/DnlSenden.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "infra/File.h"
#include "support/Builders.h"
#include "support/DnlFixture.h"
#include "support/TestDb.h"

namespace {

// The real file operations; those on buffer files are counted, and a chosen
// step on them fails. The log goes through the same operations untouched.
class ZaehlOps : public PosixFileOps {
 public:
  int opens = 0, closes = 0, writes = 0, syncs = 0;
  int failOpen = 0, failSeek = 0, failWrite = 0;  // fail the next N of each
  int lastFlags = 0;
  int Open(const char* path, int flags, int* handle) override {
    if (std::string(path).find("SndDnl") == std::string::npos) {
      return PosixFileOps::Open(path, flags, handle);
    }
    ++opens;
    lastFlags = flags;
    if (failOpen > 0) {
      --failOpen;
      *handle = kFileNoHandle;
      return EACCES;
    }
    int rc = PosixFileOps::Open(path, flags, handle);
    if (rc == 0) puffer.insert(*handle);
    return rc;
  }
  int Sync(int handle) override {
    if (puffer.count(handle)) ++syncs;
    return PosixFileOps::Sync(handle);
  }
  int SeekEnd(int handle) override {
    if (puffer.count(handle) && failSeek > 0) {
      --failSeek;
      return ESPIPE;
    }
    return PosixFileOps::SeekEnd(handle);
  }
  int Write(int handle, const void* data, std::size_t size) override {
    if (puffer.count(handle)) {
      ++writes;
      if (failWrite > 0) {
        --failWrite;
        // The disk fills up in the middle of the record.
        // The half write's own status is replaced by the failure.
        (void)PosixFileOps::Write(handle, data, size / 2);
        return ENOSPC;
      }
    }
    return PosixFileOps::Write(handle, data, size);
  }
  int Close(int handle) override {
    if (puffer.erase(handle)) ++closes;
    return PosixFileOps::Close(handle);
  }

 private:
  std::set<int> puffer;  // open handles of buffer files
};

class DnlSendenTest : public DnlDbTest {
 protected:
  void SetUp() override {
    DnlDbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(
        Exec(Test_CfgSql({.ip = "10.1.2.3", .prt = "4711", .vn1 = "A", .bi1 = "F", .voll = true}) +
             Test_CfgSql({.dta = 2,
                          .ip = "192.168.100.200",
                          .prt = "50001",
                          .vn1 = "G",
                          .bi1 = "M",
                          .voll = true})),
        "");
    File_SetOpsForTest(&ops_);
  }
  DnlEintrag Eintrag(const std::string& aktion, const std::string& daten) {
    return DnlEintrag{"20261201", "143000", aktion, "APK", daten};
  }
  // The record of line 1 for action and data as laid out column by column.
  static std::string Satz1(const std::string& aktion, const std::string& daten) {
    return std::string("$") + "10.1.2.3       " + "4711 " + "20261201143007" + "999" +
           "       10.1.2.3" + " 4711" + "                            " + "0460" + "APK" +
           "261201" + "143000" + "BDE" + aktion + daten + std::string(438 - daten.size(), ' ') +
           "*\r\n";
  }
  ZaehlOps ops_;
};
QV_DB_TEST_SUITE(DnlSendenTest);

TEST_P(DnlSendenTest, RecordIsTheFixedLayoutByteForByte) {
  std::string daten = "A1000       Kopfdaten" + std::string(231, '.') + "END";
  ASSERT_EQ(daten.size(), 255u);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", daten), "B"), 0);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  std::string datei = Puffer(1);
  EXPECT_EQ(datei.size(), kDnlSatzLaenge);
  EXPECT_EQ(datei, Satz1("NEU", daten));
  EXPECT_EQ(datei.substr(549), "*\r\n");  // "*" in column 550
  // Not written through record by record: the file is brought to the device
  // once, when it is closed at the end of the correction.
  EXPECT_EQ(ops_.lastFlags, kFileWrite | kFileCreate | kFileAppend);
  EXPECT_EQ(ops_.syncs, 1);

  // Full-width address and port fill their fields exactly; a short action is
  // right-aligned.
  CfgSatz c;
  c.CfgIP = "192.168.100.200";
  c.CfgPrt = "50001";
  std::string satz, feld;
  ASSERT_TRUE(Dnl_SatzBilden(DnlEintrag{"20270102", "000001", "LO", "APP", "x"}, c,
                             "20270102000005", satz, feld));
  EXPECT_EQ(satz, std::string("$192.168.100.20050001202701020000059991"
                              "92.168.100.20050001                            0460APP270102"
                              "000001BDE LOx") +
                      std::string(437, ' ') + "*\r\n");
}

TEST_P(DnlSendenTest, ValueWiderThanItsFieldIsRefusedAndLogged) {
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", std::string(439, 'd')), "B"), -1);
  EXPECT_TRUE(Geloggt("Feld zu breit: Daten", "Dnl_Senden", -1));
  EXPECT_EQ(ops_.opens, 0);
  EXPECT_FALSE(PufferDa(1));
  // The next record is not affected.
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", std::string(438, 'd')), "B"), 0);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), Satz1("NEU", std::string(438, 'd')));
}

TEST_P(DnlSendenTest, TwoRecordsOfOneLineGoThroughOneOpen) {
  // "F" is the upper bound of line 1's range.
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "eins"), "A"), 0);
  ASSERT_EQ(Dnl_Senden(Eintrag("STA", "zwei"), "F"), 0);
  EXPECT_EQ(ops_.opens, 1);
  EXPECT_EQ(Dnl_OffeneLinie(), 1);
  // Every record reaches the file at once, although it stays open.
  EXPECT_EQ(Puffer(1), Satz1("NEU", "eins") + Satz1("STA", "zwei"));
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(ops_.closes, 1);
  EXPECT_EQ(Dnl_OffeneLinie(), -1);
}

TEST_P(DnlSendenTest, ChangeOfLineClosesAndReopensAndAppends) {
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r1"), "C"), 0);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r2"), "H"), 0);
  EXPECT_EQ(Dnl_OffeneLinie(), 2);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r3"), "D"), 0);
  EXPECT_EQ(ops_.opens, 3);
  EXPECT_EQ(ops_.closes, 2);
  EXPECT_EQ(Dnl_OffeneLinie(), 1);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), Satz1("NEU", "r1") + Satz1("NEU", "r3"));
  std::string zwei = Puffer(2);
  ASSERT_EQ(zwei.size(), kDnlSatzLaenge);
  EXPECT_EQ(zwei.substr(0, 21), "$192.168.100.20050001");
  EXPECT_EQ(zwei.substr(111, 3), "r2 ");
}

TEST_P(DnlSendenTest, ExistingBufferFileKeepsItsRecords) {
  Test_WriteFile(root_ + "/Comm/Buff/SndDnl1.buf", "ALTER SATZ*\r\n");
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "neu"), "A"), 0);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  ASSERT_EQ(Dnl_Senden(Eintrag("LOE", "noch"), "A"), 0);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), "ALTER SATZ*\r\n" + Satz1("NEU", "neu") + Satz1("LOE", "noch"));
}

TEST_P(DnlSendenTest, KeyOfNoLineWritesNothing) {
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "x"), "Z"), DB_NOT_FOUND);
  EXPECT_TRUE(Geloggt("IP-Ermitteln", "ReadFile", DB_NOT_FOUND));
  EXPECT_EQ(ops_.opens, 0);
  EXPECT_FALSE(PufferDa(1));
  EXPECT_FALSE(PufferDa(2));

  // A failing lookup reports the database status.
  DbFehlerPlan plan;
  plan.operations["Cfg_OpenDnl"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "x"), "A"), DB_NOT_CONNECTED);
  EXPECT_TRUE(Geloggt("IP-Ermitteln", "ReadFile", DB_NOT_CONNECTED));
  EXPECT_EQ(ops_.opens, 0);
}

TEST_P(DnlSendenTest, FailedOpenIsLoggedAndTheNextRecordOpensAgain) {
  ops_.failOpen = 1;
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "weg"), "A"), -1);
  EXPECT_TRUE(Geloggt("Datei oeffnen", "CreateFile", EACCES));
  EXPECT_EQ(Dnl_OffeneLinie(), -1);
  EXPECT_EQ(ops_.writes, 0);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "da"), "A"), 0);
  EXPECT_EQ(ops_.opens, 2);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), Satz1("NEU", "da"));
}

TEST_P(DnlSendenTest, FailedPositioningClosesTheFileAndTheNextRecordOpensAgain) {
  ops_.failSeek = 1;
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "weg"), "A"), -1);
  EXPECT_TRUE(Geloggt("Ende der Datei", "SetFilePointer", ESPIPE));
  EXPECT_EQ(ops_.closes, 1);
  EXPECT_EQ(Dnl_OffeneLinie(), -1);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "da"), "A"), 0);
  EXPECT_EQ(ops_.opens, 2);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), Satz1("NEU", "da"));
}

TEST_P(DnlSendenTest, FailedWriteIsLoggedAndGivesUpTheHandle) {
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r1"), "A"), 0);
  ops_.failWrite = 1;
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "r2"), "A"), -1);
  EXPECT_TRUE(Geloggt("", "WrittenFile", ENOSPC));
  EXPECT_EQ(Dnl_OffeneLinie(), -1);
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r3"), "A"), 0);
  EXPECT_EQ(ops_.opens, 2);
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), Satz1("NEU", "r1") + Satz1("NEU", "r3"));
}

// Another process (the communication process) holding a lock on the file: an
// fcntl record lock, or with `flock` set a flock(2) lock.
class Fremdsperre {
 public:
  explicit Fremdsperre(const std::string& pfad, bool flockSperre = false) {
    int bereit[2], ende[2];
    if (pipe(bereit) != 0 || pipe(ende) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(bereit[0]);
      close(ende[1]);
      int fd = open(pfad.c_str(), O_RDWR | O_CREAT, 0644);
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      if (fd < 0 || (flockSperre ? flock(fd, LOCK_EX) : fcntl(fd, F_SETLKW, &fl)) != 0) _exit(1);
      char c = 'x';
      if (write(bereit[1], &c, 1) != 1) _exit(1);
      // Holds the lock until the parent closes its end.
      ssize_t n = read(ende[0], &c, 1);
      _exit(n < 0 ? 1 : 0);
    }
    close(bereit[1]);
    close(ende[0]);
    ende_ = ende[1];
    char c = 0;
    gesperrt_ = read(bereit[0], &c, 1) == 1;
    close(bereit[0]);
  }
  ~Fremdsperre() { Freigeben(); }
  void Freigeben() {
    if (pid_ <= 0) return;
    close(ende_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  bool gesperrt() const { return gesperrt_; }

 private:
  pid_t pid_ = -1;
  int ende_ = -1;
  bool gesperrt_ = false;
};

TEST_P(DnlSendenTest, FileHeldByAnotherProcessIsNotWritten) {
  std::string pfad = root_ + "/Comm/Buff/SndDnl1.buf";
  Test_WriteFile(pfad, "VORHER*\r\n");
  Dnl_SetSperrWarteForTest(200);
  {
    Fremdsperre sperre(pfad);
    ASSERT_TRUE(sperre.gesperrt());
    EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "weg"), "A"), -1);
    EXPECT_TRUE(Geloggt("Datei oeffnen", "CreateFile", kFileBusy));
    EXPECT_EQ(Dnl_OffeneLinie(), -1);
    EXPECT_EQ(ops_.writes, 0);
    EXPECT_EQ(Puffer(1), "VORHER*\r\n");
  }
  // Once the other process lets go, the line is written again.
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "da"), "A"), 0);
  EXPECT_EQ(Puffer(1), "VORHER*\r\n" + Satz1("NEU", "da"));
  Dnl_SetSperrWarteForTest(-1);
}

TEST_P(DnlSendenTest, FileHeldWithEitherLockKindIsNotWritten) {
  std::string pfad = root_ + "/Comm/Buff/SndDnl1.buf";
  Test_WriteFile(pfad, "VORHER*\r\n");
  Dnl_SetSperrWarteForTest(200);
  {
    Fremdsperre sperre(pfad, true);  // flock instead of a record lock
    ASSERT_TRUE(sperre.gesperrt());
    EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "weg"), "A"), -1);
    EXPECT_TRUE(Geloggt("Datei oeffnen", "CreateFile", kFileBusy));
    EXPECT_EQ(Puffer(1), "VORHER*\r\n");
  }
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "da"), "A"), 0);
  // While open, the file is held against both kinds.
  pid_t pid = fork();
  if (pid == 0) {
    int fd = open(pfad.c_str(), O_RDWR);
    _exit(fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0 ? 0 : 1);
  }
  int status = -1;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "flock refused while open";
  EXPECT_EQ(Puffer(1), "VORHER*\r\n" + Satz1("NEU", "da"));
  Dnl_SetSperrWarteForTest(-1);
}

TEST_P(DnlSendenTest, FileHeldForAMomentIsWaitedFor) {
  std::string pfad = root_ + "/Comm/Buff/SndDnl1.buf";
  Test_WriteFile(pfad, "VORHER*\r\n");
  Fremdsperre sperre(pfad);
  ASSERT_TRUE(sperre.gesperrt());
  // Another run writes its correction's records for 150 ms.
  std::thread andererLauf([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    sperre.Freigeben();
  });
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(Dnl_Senden(Eintrag("NEU", "da"), "A"), 0);
  const auto gewartet = std::chrono::steady_clock::now() - t0;
  andererLauf.join();
  EXPECT_GE(gewartet, std::chrono::milliseconds(100));
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(Puffer(1), "VORHER*\r\n" + Satz1("NEU", "da"));
  EXPECT_FALSE(Geloggt("Datei oeffnen", "CreateFile", kFileBusy));
}

TEST_P(DnlSendenTest, OpenBufferFileIsLockedAgainstOtherProcesses) {
  ASSERT_EQ(Dnl_Senden(Eintrag("NEU", "r1"), "A"), 0);
  std::string pfad = root_ + "/Comm/Buff/SndDnl1.buf";
  // A child tries to lock the file the way the communication process would.
  auto versuch = [&]() {
    pid_t pid = fork();
    if (pid == 0) {
      int fd = open(pfad.c_str(), O_RDWR);
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      if (fd < 0) _exit(2);
      _exit(fcntl(fd, F_SETLK, &fl) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(versuch(), 1);  // held while open
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  EXPECT_EQ(versuch(), 0);  // free after the close
}

}  // namespace
