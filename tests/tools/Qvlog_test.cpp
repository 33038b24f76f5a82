// The log reader qvlog on logs written by the real program: order of a
// rotated pair and of separate logs, filters, JSON lines, a truncated or torn
// entry, following a growing and rotating log.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Installation.h"
#include "support/TestDb.h"

namespace fs = std::filesystem;

namespace {

const std::string kQvlog = QV_BINARY_DIR "/qvlog";

class QvlogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(TestDb_Create(TestEngine::Sqlite, db_, why)) << why;
    ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
    msg_ = inst_.workdir + "/Msg";
  }
  void TearDown() override {
    TestInst_Remove(inst_);
    TestDb_Drop(db_);
  }
  void Run(const std::vector<std::string>& args, const std::string& now) {
    std::string out;
    ASSERT_EQ(TestInst_Run(inst_, args, now, out), 0);
    ASSERT_EQ(out, "");
  }
  // The log of three runs, then rotated (renamed to .old, as the program
  // rotates), then two more runs whose clock stands an hour earlier (the
  // end of summer time): the old file's entries still come first.
  void RotatedPair() {
    Run({"CLERK1"}, "20261208100000");
    Run({}, "20261208100500");
    Run({"A", "B"}, "20261208101000");
    fs::rename(msg_ + "/Vastrigon.Txt", msg_ + "/Vastrigon.old");
    Run({"CLERK2"}, "20261208090000");
    Run({"CLERK3"}, "20261208091500");
  }
  int Qvlog(const std::vector<std::string>& args, std::string& out) {
    return Test_RunProgram(kQvlog, args, inst_.workdir, "", out);
  }
  std::string Lines(const std::vector<std::string>& args) {
    std::string out;
    EXPECT_EQ(Qvlog(args, out), 0) << out;
    return out;
  }
  TestDatenbank db_;
  TestInstallation inst_;
  std::string msg_;
};

const std::string kPair =
    "2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n"
    "2026-12-08 10:05:00 FMSG Parameter (User):  (-1)\n"
    "2026-12-08 10:05:00 FMSG Mld_Korrektur: Anzahl Parameter <> 2 (-1)\n"
    "2026-12-08 10:10:00 FMSG Parameter (User): A (-1)\n"
    "2026-12-08 10:10:00 FMSG Mld_Korrektur: Anzahl Parameter <> 2 (-1)\n"
    "2026-12-08 09:00:00 FMSG Parameter (User): CLERK2 (-1)\n"
    "2026-12-08 09:15:00 FMSG Parameter (User): CLERK3 (-1)\n";

TEST_F(QvlogTest, RotatedPairInWritingOrderFromTheFolderOrBothFilesInAnyOrder) {
  RotatedPair();
  EXPECT_EQ(Lines({"Msg"}), kPair);
  EXPECT_EQ(Lines({"Msg/Vastrigon.Txt", "Msg/Vastrigon.old"}), kPair);
  // The current file alone.
  EXPECT_EQ(Lines({"Msg/Vastrigon.Txt"}), kPair.substr(kPair.find("2026-12-08 09:00")));
}

TEST_F(QvlogTest, FiltersByFunctionCodeAndTimeAndWritesJsonLines) {
  RotatedPair();
  EXPECT_EQ(Lines({"--function", "Mld_Korrektur", "Msg"}),
            "2026-12-08 10:05:00 FMSG Mld_Korrektur: Anzahl Parameter <> 2 (-1)\n"
            "2026-12-08 10:10:00 FMSG Mld_Korrektur: Anzahl Parameter <> 2 (-1)\n");
  EXPECT_EQ(Lines({"--since", "2026-12-08 09:10", "--until", "2026-12-08 10:05:00", "Msg"}),
            "2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n"
            "2026-12-08 10:05:00 FMSG Parameter (User):  (-1)\n"
            "2026-12-08 10:05:00 FMSG Mld_Korrektur: Anzahl Parameter <> 2 (-1)\n"
            "2026-12-08 09:15:00 FMSG Parameter (User): CLERK3 (-1)\n");
  EXPECT_EQ(Lines({"--until", "2026-12-07", "Msg"}), "");
  EXPECT_EQ(Lines({"--code", "-3114", "--code", "0", "Msg"}), "");
  EXPECT_EQ(Lines({"--json", "--function", "Parameter (User)", "--since", "2026-12-08T09:14",
                   "--until", "2026-12-08T09:59", "Msg"}),
            "{\"file\":\"Msg/Vastrigon.Txt\",\"time\":\"2026-12-08T09:15:00\",\"kinds\":[\"FMSG\"],"
            "\"function\":\"Parameter (User)\",\"message\":\"CLERK3\",\"code\":-1}\n");

  // A connect failure of a second installation, merged by its stamp; an
  // argument of any bytes stays one line (and valid JSON).
  TestInstallation other;
  ASSERT_TRUE(TestInst_Create(other, "qv", "qv", "sqlite:/nowhere/qv.db"));
  std::string out;
  ASSERT_EQ(TestInst_Run(other, {"x"}, "20261208100200", out), 0);
  EXPECT_EQ(Lines({"--code", "-3114", "--code", "-1", "--until", "2026-12-08 10:04", "Msg",
                   other.workdir + "/Msg"}),
            "2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n"
            "2026-12-08 10:02:00 FMSG dbConnect: Fehlerhafter Connect mit der DB  (-3114)\n"
            "2026-12-08 09:00:00 FMSG Parameter (User): CLERK2 (-1)\n"
            "2026-12-08 09:15:00 FMSG Parameter (User): CLERK3 (-1)\n");
  TestInst_Remove(other);
  Run({std::string("T\tx\x01\"\\\xE4\xC3\xA4")}, "20261208110000");
  EXPECT_EQ(Lines({"--since", "2026-12-08 11:00", "Msg"}),
            "2026-12-08 11:00:00 FMSG Parameter (User): T\\x09x\\x01\"\\\xE4\xC3\xA4 (-1)\n");
  EXPECT_EQ(
      Lines({"--json", "--since", "2026-12-08 11:00", "Msg/Vastrigon.Txt"}),
      "{\"file\":\"Msg/Vastrigon.Txt\",\"time\":\"2026-12-08T11:00:00\",\"kinds\":[\"FMSG\"],"
      "\"function\":\"Parameter (User)\",\"message\":\"T\\u0009x\\u0001\\\"\\\\\\u00e4\xC3\xA4\","
      "\"code\":-1}\n");
}

TEST_F(QvlogTest, TruncatedLastEntryAndTornEntryAreShownAndMarked) {
  Run({"CLERK1"}, "20261208100000");
  Run({}, "20261208100500");
  std::string log = Test_ReadFile(inst_.LogPath());
  // Cut inside the last entry's message line.
  std::string cut = log.substr(0, log.rfind("Message____: ") + 17);
  Test_WriteFile(inst_.LogPath(), cut);
  const std::string first =
      "2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n"
      "2026-12-08 10:05:00 FMSG Parameter (User):  (-1)\n";
  EXPECT_EQ(Lines({"Msg"}), first + "2026-12-08 10:05:00 FMSG : Anza (?) [truncated]\n");
  EXPECT_EQ(Lines({"--json", "--function", "", "Msg"}),
            "{\"file\":\"Msg/Vastrigon.Txt\",\"time\":\"2026-12-08T10:05:00\",\"kinds\":[\"FMSG\"],"
            "\"function\":\"\",\"message\":\"Anza\",\"code\":null,\"truncated\":true}\n");
  // The next run appends behind the torn entry.
  Run({"CLERK2"}, "20261208101000");
  EXPECT_EQ(Lines({"Msg"}), first +
                                "2026-12-08 10:05:00 FMSG : Anza (?) [truncated]\n"
                                "2026-12-08 10:10:00 FMSG Parameter (User): CLERK2 (-1)\n");
  // A file cut before its first entry's stamp.
  Test_WriteFile(inst_.LogPath(), log.substr(0, 10));
  EXPECT_EQ(Lines({"Msg"}), "---------- -------- - :  (?) -- System- [truncated]\n");
}

TEST_F(QvlogTest, WrongCommandLineAndUnreadableFile) {
  std::string out;
  EXPECT_EQ(Qvlog({}, out), 2);
  EXPECT_EQ(Qvlog({"--since", "yesterday", "Msg"}, out), 2);
  EXPECT_NE(out.find("--since wants"), std::string::npos) << out;
  EXPECT_EQ(Qvlog({"--code", "x1", "Msg"}, out), 2);
  EXPECT_EQ(Qvlog({"--bogus", "Msg"}, out), 2);
  Run({"CLERK1"}, "20261208100000");
  EXPECT_EQ(Qvlog({"Msg/missing.Txt", "Msg"}, out), 1);
  EXPECT_NE(out.find("2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n"), std::string::npos)
      << out;
  EXPECT_EQ(Qvlog({"--help"}, out), 0);
}

// qvlog -f as a child; its output read with a time limit.
class Follower {
 public:
  Follower(const std::string& workdir, const std::vector<std::string>& args) {
    int p[2];
    if (pipe(p) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(p[1], 1);
      close(p[0]);
      if (chdir(workdir.c_str()) != 0) _exit(126);
      std::vector<char*> argv{const_cast<char*>(kQvlog.c_str())};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(kQvlog.c_str(), argv.data());
      _exit(127);
    }
    close(p[1]);
    fd_ = p[0];
  }
  ~Follower() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    if (fd_ >= 0) close(fd_);
  }
  // Output until it holds `lines` lines, or `ms` milliseconds have passed.
  std::string Read(int lines, int ms = 10000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::count(got_.begin(), got_.end(), '\n') < lines &&
           std::chrono::steady_clock::now() < end) {
      pollfd pf{fd_, POLLIN, 0};
      if (poll(&pf, 1, 100) <= 0) continue;
      char buf[4096];
      ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      got_.append(buf, static_cast<size_t>(n));
    }
    std::string out = got_;
    got_.clear();
    return out;
  }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::string got_;
};

TEST_F(QvlogTest, FollowPrintsNewEntriesAcrossRotationAndWaitsForAWholeEntry) {
  Run({"CLERK1"}, "20261208100000");
  Follower f(inst_.workdir, {"-f", "--function", "Parameter (User)", "Msg"});
  EXPECT_EQ(f.Read(1), "2026-12-08 10:00:00 FMSG Parameter (User): CLERK1 (-1)\n");
  Run({"CLERK2"}, "20261208100100");
  EXPECT_EQ(f.Read(1), "2026-12-08 10:01:00 FMSG Parameter (User): CLERK2 (-1)\n");
  // Half an entry is not printed until it is whole.
  std::string entry = Test_LogEntry("08.12.26", "10:02:00", "CLERK3", "Parameter (User)", -1);
  int fd = ::open(inst_.LogPath().c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, entry.data(), 40), 40);
  EXPECT_EQ(f.Read(1, 1000), "");
  ASSERT_EQ(write(fd, entry.data() + 40, entry.size() - 40),
            static_cast<ssize_t>(entry.size() - 40));
  ::close(fd);
  EXPECT_EQ(f.Read(1), "2026-12-08 10:02:00 FMSG Parameter (User): CLERK3 (-1)\n");
  // Rotation: the file becomes the old one, the next run starts a new file.
  fs::rename(inst_.LogPath(), msg_ + "/Vastrigon.old");
  Run({}, "20261208100300");
  EXPECT_EQ(f.Read(1), "2026-12-08 10:03:00 FMSG Parameter (User):  (-1)\n");
}

}  // namespace
