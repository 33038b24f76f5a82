#include "infra/Log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "infra/File.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// The entry that Log_Fehler writes at the fixed test time.
std::string FmsgEntry(const std::string& message, const std::string& function, int code) {
  return "\xFE\r\nSystem-Date: 05.03.24\r\nSystem-Time: 14:30:07\r\nMsgArt_____: FMSG \r\n"
         "Message____: " +
         message + "\r\nFunktion___: " + function + "\r\nErrorCode__: " + std::to_string(code) +
         "\r\n";
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qvlogXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    fs::create_directory(dir_ / "Msg");
    logPath_ = (dir_ / "Msg" / "Vastrigon.Txt").string();
    oldPath_ = (dir_ / "Msg" / "Vastrigon.old").string();
    setenv("QV_TEST_NOW", "20240305143007", 1);
    Log_ResetForTest();
    File_SetOpsForTest(nullptr);
  }
  void TearDown() override {
    File_SetOpsForTest(nullptr);
    Log_ResetForTest();
    unsetenv("QV_TEST_NOW");
    fs::remove_all(dir_);
  }

  // Forks a child that holds an exclusive lock on the log file for `holdMs`;
  // returns once the lock is held.
  pid_t HoldLockInChild(int holdMs) {
    int pipefd[2];
    EXPECT_EQ(pipe(pipefd), 0);
    pid_t pid = fork();
    if (pid == 0) {
      close(pipefd[0]);
      int fd = open(logPath_.c_str(), O_RDWR | O_CREAT, 0644);
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      if (fd < 0 || fcntl(fd, F_SETLKW, &fl) != 0) _exit(1);
      char c = 'x';
      if (write(pipefd[1], &c, 1) != 1) _exit(1);
      usleep(static_cast<useconds_t>(holdMs) * 1000);
      _exit(0);
    }
    close(pipefd[1]);
    char c = 0;
    EXPECT_EQ(read(pipefd[0], &c, 1), 1);
    close(pipefd[0]);
    return pid;
  }

  fs::path dir_;
  std::string logPath_;
  std::string oldPath_;
};

TEST_F(LogTest, EntriesHaveTheExactLayoutAndTheFileIsCreated) {
  Log_Open(7, logPath_.c_str());
  ASSERT_FALSE(fs::exists(logPath_));
  Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyUpdate", -1403);
  LogRequest r;
  r.function = "main";
  r.message = "Parameter (User)";
  r.kinds = kFMSG;
  Log_Write(r);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("Mel_PKeyUpdate", "Korr_ZeitVerschiebung", -1403) +
                                   FmsgEntry("Parameter (User)", "main", -1));
  EXPECT_EQ(Log_EntryCount(), 2);
}

TEST_F(LogTest, ExistingContentIsKeptAndEmptyTextsStillGiveTheirLines) {
  WriteAll(logPath_, "earlier run\r\n");
  Log_Open(7, logPath_.c_str());
  Log_Fehler("", "", 0);
  Log_Fehler(nullptr, nullptr, 5);
  EXPECT_EQ(ReadAll(logPath_), "earlier run\r\n" + FmsgEntry("", "", 0) + FmsgEntry("", "", 5));
}

TEST_F(LogTest, LevelMasksTheKindsButKindWordsListAllRequested) {
  // Nothing is written before Log_Open.
  Log_Fehler("f", "m", 1);
  Log_Open(7, logPath_.c_str());
  LogRequest r;
  r.function = "f";
  r.message = "m";
  r.kinds = kWMSG;
  Log_Write(r);
  r.kinds = kCMSG | kWMSG;
  Log_Write(r);
  r.kinds = 0;
  Log_Write(r);
  EXPECT_FALSE(fs::exists(logPath_));
  EXPECT_EQ(Log_EntryCount(), 0);

  r.kinds = kCMSG | kWMSG | kFMSG;
  Log_Write(r);
  EXPECT_EQ(ReadAll(logPath_),
            "\xFE\r\nSystem-Date: 05.03.24\r\nSystem-Time: 14:30:07\r\nMsgArt_____: FMSG WMSG "
            "CMSG \r\nMessage____: m\r\nFunktion___: f\r\nErrorCode__: -1\r\n");

  // The default level 13 writes WMSG but not SMSG.
  fs::remove(logPath_);
  Log_Open(kLogDefaultLevel, logPath_.c_str());
  r.kinds = kSMSG;
  Log_Write(r);
  EXPECT_FALSE(fs::exists(logPath_));
  r.kinds = kWMSG;
  Log_Write(r);
  EXPECT_NE(ReadAll(logPath_).find("MsgArt_____: WMSG \r\n"), std::string::npos);
}

TEST_F(LogTest, DataAndExtraTextFollowTheEntry) {
  Log_Open(7, logPath_.c_str());
  const char data[] = {'A', '\0', 'B', '\xFF'};
  LogRequest r;
  r.function = "f";
  r.message = "m";
  r.kinds = kDMSG | kSMSG;
  r.errorCode = 12;
  r.data = data;
  r.dataSize = sizeof data;
  r.extra = "extra text";
  Log_Write(r);
  std::string head =
      "\xFE\r\nSystem-Date: 05.03.24\r\nSystem-Time: 14:30:07\r\nMsgArt_____: DMSG SMSG \r\n"
      "Message____: m\r\nFunktion___: f\r\nErrorCode__: 12\r\n";
  EXPECT_EQ(ReadAll(logPath_), head + std::string(data, 4) + "\r\n" + "extra text\r\n");

  // DMSG without data still ends with its line end; an empty extra adds nothing.
  fs::remove(logPath_);
  r.data = nullptr;
  r.dataSize = 0;
  r.extra.clear();
  Log_Write(r);
  EXPECT_EQ(ReadAll(logPath_), head + "\r\n");
}

TEST_F(LogTest, OldFileNameIsDerivedFromTheFilesOwnName) {
  Log_Open(7, nullptr);
  EXPECT_EQ(Log_FileName(), "msg.dat");
  EXPECT_EQ(Log_OldFileName(), "msg.old");
  Log_Open(7, "./Msg/Vastrigon.Txt");
  EXPECT_EQ(Log_OldFileName(), "./Msg/Vastrigon.old");
  Log_Open(7, "./Msg/log");
  EXPECT_EQ(Log_OldFileName(), "./Msg/log.old");
  Log_Open(7, "a.b.c");
  EXPECT_EQ(Log_OldFileName(), "a.b.old");
}

TEST_F(LogTest, MissingFolderDropsTheEntry) {
  std::string path = (dir_ / "NoSuchFolder" / "Vastrigon.Txt").string();
  Log_Open(7, path.c_str());
  Log_Fehler("f", "m", 1);
  EXPECT_FALSE(fs::exists(dir_ / "NoSuchFolder"));
  EXPECT_EQ(Log_EntryCount(), 0);
}

// Writes `n` entries numbered from `from`.
void WriteEntries(int from, int n) {
  for (int i = from; i < from + n; ++i) Log_Fehler("f", ("E" + std::to_string(i)).c_str(), i);
}

std::string Entries(int from, int n) {
  std::string s;
  for (int i = from; i < from + n; ++i) s += FmsgEntry("E" + std::to_string(i), "f", i);
  return s;
}

TEST_F(LogTest, The3002ndEntryRotatesOverAnExistingOldFile) {
  WriteAll(logPath_, "before\r\n");
  WriteAll(oldPath_, "very old");
  Log_Open(7, logPath_.c_str());
  WriteEntries(1, 3001);
  EXPECT_EQ(ReadAll(oldPath_), "very old");
  EXPECT_EQ(Log_EntryCount(), 3001);
  WriteEntries(3002, 1);
  EXPECT_EQ(ReadAll(oldPath_), "before\r\n" + Entries(1, 3001));
  EXPECT_EQ(ReadAll(logPath_), Entries(3002, 1));
  EXPECT_EQ(Log_EntryCount(), 1);
}

TEST_F(LogTest, RotationWithoutOldFileStillRenames) {
  Log_Open(7, logPath_.c_str());
  WriteEntries(1, 3002);
  EXPECT_EQ(ReadAll(oldPath_), Entries(1, 3001));
  EXPECT_EQ(ReadAll(logPath_), Entries(3002, 1));
}

TEST_F(LogTest, RotationOfAMovedAwayLogStartsANewFile) {
  Log_Open(7, logPath_.c_str());
  WriteEntries(1, 3001);
  fs::rename(logPath_, dir_ / "moved.txt");
  WriteEntries(3002, 2);
  EXPECT_FALSE(fs::exists(oldPath_));
  EXPECT_EQ(ReadAll(logPath_), Entries(3002, 2));
  EXPECT_EQ(Log_EntryCount(), 2);
}

// File operations that fail one chosen step.
class FaultyOps : public PosixFileOps {
 public:
  int failOpen = 0, failLock = 0, failSeek = 0, failWrite = 0, failRename = 0;
  int opens = 0, closes = 0;
  int Open(const char* path, int flags, int* handle) override {
    ++opens;
    if (failOpen != 0) {
      *handle = kFileNoHandle;
      return failOpen;
    }
    return PosixFileOps::Open(path, flags, handle);
  }
  int Lock(int handle) override { return failLock != 0 ? failLock : PosixFileOps::Lock(handle); }
  int SeekEnd(int handle) override {
    return failSeek != 0 ? failSeek : PosixFileOps::SeekEnd(handle);
  }
  bool halfWrite = false;  // a failing write lets half of its bytes through
  int Write(int handle, const void* data, std::size_t size) override {
    if (failWrite == 0) return PosixFileOps::Write(handle, data, size);
    // The half write's own status is replaced by the failure.
    if (halfWrite) (void)PosixFileOps::Write(handle, data, size / 2);
    return failWrite;
  }
  int Rename(const char* from, const char* to) override {
    return failRename != 0 ? failRename : PosixFileOps::Rename(from, to);
  }
  int Close(int handle) override {
    ++closes;
    return PosixFileOps::Close(handle);
  }
};

TEST_F(LogTest, FailedOpenSeekOrWriteDropsTheEntryAndClosesTheFile) {
  FaultyOps ops;
  File_SetOpsForTest(&ops);
  Log_Open(7, logPath_.c_str());

  ops.failOpen = EACCES;
  Log_Fehler("f", "open", 1);
  EXPECT_EQ(ops.closes, 0);
  ops.failOpen = 0;

  ops.failSeek = EIO;
  Log_Fehler("f", "seek", 2);
  EXPECT_EQ(ops.closes, 1);
  ops.failSeek = 0;

  ops.failWrite = ENOSPC;
  Log_Fehler("f", "write", 3);
  EXPECT_EQ(ops.closes, 2);
  ops.failWrite = 0;

  EXPECT_EQ(Log_EntryCount(), 0);
  Log_Fehler("f", "fine", 4);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("fine", "f", 4));
  EXPECT_EQ(Log_EntryCount(), 1);
  EXPECT_EQ(ops.opens, 4);
  EXPECT_EQ(ops.closes, 3);
}

TEST_F(LogTest, EntryThatDoesNotFitIsCutOffAgain) {
  FaultyOps ops;
  File_SetOpsForTest(&ops);
  Log_Open(7, logPath_.c_str());
  Log_Fehler("f", "first", 1);
  // The disk fills up in the middle of the second entry.
  ops.failWrite = ENOSPC;
  ops.halfWrite = true;
  Log_Fehler("Funktion", "second", 2);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("first", "f", 1)) << "no half entry is left";
  ops.failWrite = 0;
  Log_Fehler("f", "third", 3);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("first", "f", 1) + FmsgEntry("third", "f", 3));
  EXPECT_EQ(Log_EntryCount(), 2);
}

TEST_F(LogTest, FileSystemWithoutLocksStillGetsTheEntries) {
  FaultyOps ops;
  File_SetOpsForTest(&ops);
  Log_Open(7, logPath_.c_str());
  ops.failLock = ENOLCK;
  Log_Fehler("f", "unlocked", 1);
  Log_Fehler("f", "again", 2);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("unlocked", "f", 1) + FmsgEntry("again", "f", 2));
  EXPECT_EQ(Log_EntryCount(), 2);
  EXPECT_EQ(ops.closes, ops.opens);
}

TEST_F(LogTest, FailedRenameKeepsWritingAndRetriesTheRotation) {
  FaultyOps ops;
  File_SetOpsForTest(&ops);
  Log_Open(7, logPath_.c_str());
  WriteEntries(1, 3001);
  ops.failRename = EPERM;
  WriteEntries(3002, 1);
  EXPECT_EQ(Log_EntryCount(), 3002);
  EXPECT_FALSE(fs::exists(oldPath_));
  ops.failRename = 0;
  WriteEntries(3003, 1);
  EXPECT_EQ(ReadAll(oldPath_), Entries(1, 3002));
  EXPECT_EQ(ReadAll(logPath_), Entries(3003, 1));
}

TEST_F(LogTest, EntryWaitsForALockHeldByAnotherProcess) {
  Log_Open(7, logPath_.c_str());
  auto start = std::chrono::steady_clock::now();
  pid_t child = HoldLockInChild(1000);
  Log_Fehler("f", "waited", 7);
  auto waited = std::chrono::steady_clock::now() - start;
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_GE(waited, std::chrono::milliseconds(600));
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("waited", "f", 7));
}

TEST_F(LogTest, LockHeldBeyondTheBoundDropsTheEntry) {
  Log_Open(7, logPath_.c_str());
  Log_SetRetryBoundForTest(400);
  pid_t child = HoldLockInChild(10000);
  auto start = std::chrono::steady_clock::now();
  Log_Fehler("f", "dropped", 8);
  auto waited = std::chrono::steady_clock::now() - start;
  // One pause of 333 ms fits the bound, a second would not.
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_LT(waited, std::chrono::milliseconds(1500));
  EXPECT_EQ(ReadAll(logPath_), "");
  EXPECT_EQ(Log_EntryCount(), 0);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  Log_Fehler("f", "after", 9);
  EXPECT_EQ(ReadAll(logPath_), FmsgEntry("after", "f", 9));
}

}  // namespace
