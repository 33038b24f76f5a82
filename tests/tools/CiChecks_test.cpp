// The repository checks that CI runs before building: the format check and
// the include layers, each on a small tree of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Installation.h"
#include "support/TestDb.h"

namespace {

namespace fs = std::filesystem;

class CiChecksTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = Test_TempDir(); }
  void TearDown() override { Test_RemoveTree(dir_); }

  // Runs a script of .ci with `args`; its exit status, output in `out_`.
  int Ci(const std::string& script, const std::vector<std::string>& args) {
    std::vector<std::string> a = {std::string(QV_SOURCE_DIR) + "/.ci/" + script};
    a.insert(a.end(), args.begin(), args.end());
    return Test_RunProgram("/bin/bash", a, dir_, "", out_);
  }
  void Datei(const std::string& name, const std::string& text) {
    fs::create_directories(fs::path(dir_ + "/" + name).parent_path());
    Test_WriteFile(dir_ + "/" + name, text);
  }

  std::string dir_;
  std::string out_;
};

TEST_F(CiChecksTest, FormatCheckRejectsAnUnformattedFileOnly) {
  if (system("command -v clang-format >/dev/null 2>&1") != 0) GTEST_SKIP() << "no clang-format";
  Datei("gut.cpp", "int Eins() {\n  return 1;\n}\n");
  Datei("schlecht.cpp", "int  Zwei( ){return 2;}\n");
  EXPECT_EQ(Ci("check-format", {"gut.cpp"}), 0) << out_;
  EXPECT_EQ(Ci("check-format", {"gut.cpp", "schlecht.cpp"}), 1) << out_;
  EXPECT_NE(out_.find("schlecht.cpp"), std::string::npos) << out_;
  EXPECT_EQ(out_.find("gut.cpp"), std::string::npos) << out_;
}

TEST_F(CiChecksTest, LayersHoldInTheSourceTree) {
  EXPECT_EQ(Ci("check-layers", {}), 0) << out_;
}

TEST_F(CiChecksTest, LayerCheckNamesEveryIncludeAgainstTheLayers) {
  // Allowed: own layer and below, a shared evaluation header, the flags.
  Datei("infra/Datum.cpp", "#include \"infra/Log.h\"\n");
  Datei("eval/runtime/A.cpp",
        "#include \"eval/runtime/B.h\"\n#include \"eval/Gemeinsam.h\"\n"
        "#include \"main/KorrParameter.h\"\n#include \"db/DbMel.h\"\n");
  Datei("main/M.cpp", "#include \"eval/machine/C.h\"\n#include \"download/D.h\"\n");
  ASSERT_EQ(Ci("check-layers", {"--root", dir_}), 0) << out_;

  // Against the layers: upwards, sideways between evaluations, the engines.
  Datei("infra/Log.cpp", "#include \"db/DbDb.h\"\n");
  Datei("infra/Datum.cpp", "#include \"db/Dbstd.h\"\n#include \"infra/Log.h\"\n");
  Datei("eval/runtime/A.h", "#include \"eval/machine/C.h\"\n#include \"main/KorrLoop.h\"\n");
  Datei("download/D.cpp", "#include \"db/DbBackend.h\"\n");
  Datei("tools/t.cpp", "#include \"main/MldKorrektur.h\"\n");
  EXPECT_EQ(Ci("check-layers", {"--root", dir_}), 1) << out_;
  for (const char* v :
       {"infra/Log.cpp includes db/DbDb.h", "infra/Datum.cpp includes db/Dbstd.h",
        "eval/runtime/A.h includes eval/machine/C.h", "eval/runtime/A.h includes main/KorrLoop.h",
        "download/D.cpp includes db/DbBackend.h", "tools/t.cpp includes main/MldKorrektur.h"}) {
    EXPECT_NE(out_.find(v), std::string::npos) << v << "\n" << out_;
  }
  EXPECT_EQ(out_.find("infra/Log.h"), std::string::npos) << out_;
  EXPECT_EQ(out_.find("A.cpp"), std::string::npos) << out_;
}

}  // namespace
