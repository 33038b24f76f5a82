#include "infra/File.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qvfileXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    File_SetOpsForTest(nullptr);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The way the buffer-file writer uses it: open for writing (created when
// missing), lock, append at the end, keep open for several records.
TEST_F(FileTest, AppendsToAnExistingFileUnderALock) {
  std::string path = (dir_ / "SndDnl1.buf").string();
  { std::ofstream(path, std::ios::binary) << "old"; }
  int h = kFileNoHandle;
  ASSERT_EQ(File_Open(path.c_str(), kFileWrite | kFileCreate | kFileWriteThrough, &h), 0);
  ASSERT_EQ(File_Lock(h), 0);
  ASSERT_EQ(File_SeekEnd(h), 0);
  ASSERT_EQ(File_Write(h, "ab", 2), 0);
  ASSERT_EQ(File_Write(h, "cd", 2), 0);
  ASSERT_EQ(File_Close(h), 0);
  EXPECT_EQ(ReadAll(path), "oldabcd");
}

TEST_F(FileTest, ErrorsAreTheOperatingSystemsNumbers) {
  int h = 123;
  std::string missing = (dir_ / "no" / "file").string();
  EXPECT_EQ(File_Open(missing.c_str(), kFileRead | kFileWrite | kFileCreate, &h), ENOENT);
  EXPECT_EQ(h, kFileNoHandle);
  EXPECT_EQ(File_Unlink(missing.c_str()), ENOENT);
  EXPECT_EQ(File_Rename(missing.c_str(), (dir_ / "x").c_str()), ENOENT);
  EXPECT_EQ(File_Open((dir_ / "absent").c_str(), kFileRead, &h), ENOENT);
}

TEST_F(FileTest, LockHeldByAnotherProcessIsBusy) {
  std::string path = (dir_ / "locked").string();
  int h = kFileNoHandle;
  ASSERT_EQ(File_Open(path.c_str(), kFileWrite | kFileCreate, &h), 0);
  ASSERT_EQ(File_Lock(h), 0);

  // The child tries the same lock through the same interface.
  pid_t pid = fork();
  if (pid == 0) {
    int ch = kFileNoHandle;
    if (File_Open(path.c_str(), kFileWrite, &ch) != 0) _exit(2);
    _exit(File_Lock(ch) == kFileBusy ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);

  // Once released, another process gets it.
  ASSERT_EQ(File_Close(h), 0);
  pid = fork();
  if (pid == 0) {
    int ch = kFileNoHandle;
    if (File_Open(path.c_str(), kFileWrite, &ch) != 0) _exit(2);
    _exit(File_Lock(ch) == 0 ? 0 : 1);
  }
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FileTest, TestOpsReplaceTheRealOnesUntilReset) {
  struct NoOpen : PosixFileOps {
    int Open(const char*, int, int* handle) override {
      *handle = kFileNoHandle;
      return EMFILE;
    }
  } ops;
  std::string path = (dir_ / "f").string();
  int h = kFileNoHandle;
  File_SetOpsForTest(&ops);
  EXPECT_EQ(&File_Ops(), &ops);
  EXPECT_EQ(File_Open(path.c_str(), kFileWrite | kFileCreate, &h), EMFILE);
  EXPECT_FALSE(fs::exists(path));
  File_SetOpsForTest(nullptr);
  ASSERT_EQ(File_Open(path.c_str(), kFileWrite | kFileCreate, &h), 0);
  EXPECT_EQ(File_Close(h), 0);
  EXPECT_TRUE(fs::exists(path));
}

// The holder closes what it holds on every way out of its scope, exactly once,
// and nothing that it gave away or never opened.
TEST_F(FileTest, HandleHolderClosesWhatItHoldsOnce) {
  struct ZaehlOps : PosixFileOps {
    int closes = 0;
    bool failOpen = false;
    int Open(const char* path, int flags, int* handle) override {
      if (!failOpen) return PosixFileOps::Open(path, flags, handle);
      *handle = 99;  // a failing open that leaves a stray number behind
      return EMFILE;
    }
    int Close(int handle) override {
      ++closes;
      return PosixFileOps::Close(handle);
    }
  } ops;
  File_SetOpsForTest(&ops);
  std::string path = (dir_ / "held").string();
  auto andererKannSperren = [&] {
    pid_t pid = fork();
    if (pid == 0) {
      int ch = kFileNoHandle;
      if (File_Open(path.c_str(), kFileWrite, &ch) != 0) _exit(2);
      _exit(File_Lock(ch) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
  {
    FileHandle f;
    ASSERT_EQ(f.Open(path.c_str(), kFileWrite | kFileCreate), 0);
    ASSERT_EQ(File_Lock(f.Get()), 0);
    EXPECT_FALSE(andererKannSperren());
  }
  EXPECT_EQ(ops.closes, 1);
  EXPECT_TRUE(andererKannSperren());

  int weiter = kFileNoHandle;
  {
    FileHandle f;
    ASSERT_EQ(f.Open(path.c_str(), kFileWrite), 0);
    EXPECT_EQ(f.Close(), 0);
    EXPECT_EQ(f.Close(), 0);  // nothing held any more
    ASSERT_EQ(f.Open(path.c_str(), kFileWrite), 0);
    weiter = f.Release();
  }
  EXPECT_EQ(ops.closes, 2);
  EXPECT_EQ(File_Close(weiter), 0);
  EXPECT_EQ(ops.closes, 3);

  ops.failOpen = true;
  {
    FileHandle f;
    EXPECT_EQ(f.Open(path.c_str(), kFileWrite), EMFILE);
    EXPECT_EQ(f.Get(), kFileNoHandle);
  }
  EXPECT_EQ(ops.closes, 3);
  File_SetOpsForTest(nullptr);
}

}  // namespace
