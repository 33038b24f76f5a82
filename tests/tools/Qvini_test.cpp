#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "infra/Ini.h"

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class QviniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qvqviniXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    fs::create_directories(dir_ / "files");
    ini_ = (dir_ / "files" / "quorvante.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  RunResult Run(const std::vector<std::string>& args, const std::string& input = "") {
    std::string cmd = Quote(std::string(QV_BINARY_DIR) + "/qvini");
    for (const auto& a : args) cmd += " " + Quote(a);
    fs::path in = dir_ / "stdin.txt", out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
    std::ofstream(in, std::ios::binary) << input;
    cmd += " <" + Quote(in.string()) + " >" + Quote(out.string()) + " 2>" + Quote(err.string());
    RunResult r;
    int rc = std::system(cmd.c_str());
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
  }

  std::string Read(const std::string& name) { return Ini_ReadValue("", name, 0, ini_); }

  fs::path dir_;
  std::string ini_;
};

TEST_F(QviniTest, SetShowAndReplaceRoundTrip) {
  ASSERT_EQ(Run({"set", ini_, "LOGIN", "scott"}).status, 0);
  ASSERT_EQ(Run({"set", ini_, "PASS", "tiger"}).status, 0);
  ASSERT_EQ(Run({"set", ini_, "NET8", "sqlite:../../db/qv.db"}).status, 0);
  EXPECT_EQ(ReadAll(ini_), ";QvDb;\n1;LOGIN;" + Ini_Encipher("scott") + "\n;QvDb;\n2;PASS;" +
                               Ini_Encipher("tiger") + "\n;QvDb;\n3;NET8;" +
                               Ini_Encipher("sqlite:../../db/qv.db") + "\n");
  struct stat st {};
  ASSERT_EQ(stat(ini_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  ASSERT_EQ(Run({"set", ini_, "PASS", "n3w;Pass word"}).status, 0);
  EXPECT_EQ(Read("LOGIN"), "scott");
  EXPECT_EQ(Read("PASS"), "n3w;Pass word");
  EXPECT_EQ(Read("NET8"), "sqlite:../../db/qv.db");

  // The password is masked unless asked for explicitly.
  RunResult show = Run({"show", ini_});
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.out, "LOGIN=scott\nPASS=********\nNET8=sqlite:../../db/qv.db\n");
  EXPECT_EQ(show.err, "");
  for (const auto& args : {std::vector<std::string>{"show", "--reveal", ini_},
                           std::vector<std::string>{"show", ini_, "--reveal"}}) {
    RunResult reveal = Run(args);
    EXPECT_EQ(reveal.status, 0);
    EXPECT_EQ(reveal.out, "LOGIN=scott\nPASS=n3w;Pass word\nNET8=sqlite:../../db/qv.db\n");
  }

  // The value may come from standard input.
  ASSERT_EQ(Run({"set", ini_, "PASS", "-"}, "from stdin\n").status, 0);
  EXPECT_EQ(Read("PASS"), "from stdin");
}

TEST_F(QviniTest, ReplacingKeepsEveryOtherLine) {
  std::string foreign = "[Other];Other;\r\n7;OTHER;00001000020000300004\r\n";
  std::string login = ";Db;\r\n9;LOGIN;" + Ini_Encipher("old") + "\r\n";
  std::string tail = ";X;\r\n8;NET8;" + Ini_Encipher("net") + "\r\nlast line without pair";
  std::ofstream(ini_, std::ios::binary) << foreign + login + tail;
  chmod(ini_.c_str(), 0640);

  ASSERT_EQ(Run({"set", ini_, "LOGIN", "new"}).status, 0);
  // The pair keeps its section line, number and line ends.
  EXPECT_EQ(ReadAll(ini_), foreign + ";Db;\r\n9;LOGIN;" + Ini_Encipher("new") + "\r\n" + tail);
  struct stat st {};
  ASSERT_EQ(stat(ini_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // A new entry: the unpaired last line gets an empty partner first; PASS
  // takes its usual number 2.
  ASSERT_EQ(Run({"set", ini_, "PASS", "pw"}).status, 0);
  EXPECT_EQ(ReadAll(ini_), foreign + ";Db;\r\n9;LOGIN;" + Ini_Encipher("new") + "\r\n" + tail +
                               "\r\n\r\n;QvDb;\r\n2;PASS;" + Ini_Encipher("pw") + "\r\n");
  EXPECT_EQ(Read("LOGIN"), "new");
  EXPECT_EQ(Read("PASS"), "pw");
  EXPECT_EQ(Read("NET8"), "net");

  // Another name takes the lowest free number above 3.
  ASSERT_EQ(Run({"set", ini_, "EXTRA", "e"}).status, 0);
  EXPECT_NE(ReadAll(ini_).find("\r\n;QvDb;\r\n4;EXTRA;"), std::string::npos);
  EXPECT_EQ(Ini_ReadValue("", "EXTRA", 0, ini_), "e");
}

TEST_F(QviniTest, RefusesBadInputWithoutTouchingTheFile) {
  ASSERT_EQ(Run({"set", ini_, "LOGIN", "scott"}).status, 0);
  std::string before = ReadAll(ini_);

  RunResult r = Run({"set", ini_, "PASS", std::string(52, 'p')});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("51"), std::string::npos);
  EXPECT_NE(Run({"set", ini_, "PA;SS", "x"}).status, 0);
  EXPECT_NE(Run({"set", ini_, "", "x"}).status, 0);
  EXPECT_NE(Run({"set", ini_, std::string(400, 'N'), "x"}).status, 0);
  EXPECT_NE(Run({"set", ini_, "PASS"}).status, 0);
  EXPECT_NE(Run({"encipher", std::string(52, 'p')}).status, 0);
  EXPECT_EQ(ReadAll(ini_), before);

  // 51 characters are fine.
  ASSERT_EQ(Run({"set", ini_, "PASS", std::string(51, 'p')}).status, 0);
  EXPECT_EQ(Read("PASS"), std::string(51, 'p'));

  RunResult missing = Run({"show", (dir_ / "absent.ini").string()});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err, "");
  EXPECT_NE(Run({"set", (dir_ / "no" / "dir.ini").string(), "LOGIN", "x"}).status, 0);
}

TEST_F(QviniTest, WarnsWhenAnEarlierPairAnswersEveryRequest) {
  std::ofstream(ini_, std::ios::binary) << ";;\n5;OTHER;" + Ini_Encipher("any") + "\n";
  RunResult r = Run({"set", ini_, "LOGIN", "scott"});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("LOGIN"), std::string::npos);
  RunResult show = Run({"show", ini_});
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.out, "OTHER=any\nLOGIN=scott\n");
  EXPECT_NE(show.err.find("every request"), std::string::npos);
}

TEST_F(QviniTest, EncipherAndHelp) {
  RunResult r = Run({"encipher", "scott"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, Ini_Encipher("scott") + "\n");
  RunResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("qvini set FILE NAME VALUE"), std::string::npos);
  EXPECT_NE(help.out.find("--reveal"), std::string::npos);
  RunResult none = Run({});
  EXPECT_NE(none.status, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err, "");
  EXPECT_NE(Run({"frobnicate"}).status, 0);
}

}  // namespace
