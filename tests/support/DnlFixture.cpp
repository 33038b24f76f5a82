#include "support/DnlFixture.h"

#include <unistd.h>

#include <filesystem>

#include "download/DnlSenden.h"
#include "infra/File.h"
#include "infra/Log.h"

void DnlDbTest::SetUp() {
  DbTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  root_ = Test_TempDir();
  std::filesystem::create_directories(root_ + "/work/Msg");
  std::filesystem::create_directories(root_ + "/Comm/Buff");
  char buf[4096];
  alt_ = getcwd(buf, sizeof buf) ? buf : "";
  ASSERT_EQ(chdir((root_ + "/work").c_str()), 0);
  setenv("QV_TEST_NOW", "20261201143007", 1);
  Log_ResetForTest();
  Log_Open(7, "./Msg/Vastrigon.Txt");
}

void DnlDbTest::TearDown() {
  // Cleanup only: a test may have failed the buffer file on purpose.
  (void)Dnl_DateiSchliessen();
  File_SetOpsForTest(nullptr);
  Log_ResetForTest();
  unsetenv("QV_TEST_NOW");
  if (!alt_.empty()) {
    EXPECT_EQ(chdir(alt_.c_str()), 0);
  }
  Test_RemoveTree(root_);
  DbTest::TearDown();
}

std::string DnlDbTest::Puffer(int linie) const {
  return Test_ReadFile(root_ + "/Comm/Buff/SndDnl" + std::to_string(linie) + ".buf");
}

bool DnlDbTest::PufferDa(int linie) const {
  return std::filesystem::exists(root_ + "/Comm/Buff/SndDnl" + std::to_string(linie) + ".buf");
}

std::string DnlDbTest::Protokoll() const {
  return Test_ReadFile(root_ + "/work/Msg/Vastrigon.Txt");
}

bool DnlDbTest::Geloggt(const std::string& message, const std::string& funktion, int code) const {
  std::string eintrag = "MsgArt_____: FMSG \r\nMessage____: " + message +
                        "\r\nFunktion___: " + funktion +
                        "\r\nErrorCode__: " + std::to_string(code) + "\r\n";
  return Protokoll().find(eintrag) != std::string::npos;
}
