#include "infra/Ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "infra/Idea.h"

namespace {

namespace fs = std::filesystem;

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qviniXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    file_ = (dir_ / "quorvante.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
  std::string Read(const std::string& name) { return Ini_ReadValue("", name, 0, file_); }

  fs::path dir_;
  std::string file_;
};

// A pair as the installation writes it.
std::string Pair(int number, const std::string& name, const std::string& clear) {
  return ";QvDb;\n" + std::to_string(number) + ";" + name + ";" + Ini_Encipher(clear) + "\n";
}

TEST_F(IniTest, KeyTextHasSevenCharacters) {
  EXPECT_EQ(std::string(Ini_KeyText()).size(), 7u);
}

TEST_F(IniTest, EncipherWritesWholeBlocksAndDeciphersBack) {
  EXPECT_EQ(Ini_Encipher(""), "");
  for (const std::string& clear :
       std::vector<std::string>{"a", "scott", "tiger", "abcdefgh", "sqlite:../../db/qv.db",
                                std::string(51, 'x'), std::string("\xE4\xF6\xFC")}) {
    std::string digits = Ini_Encipher(clear);
    EXPECT_EQ(digits.size(), (clear.size() + 3) / 4 * 20) << clear;
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
    std::string back;
    EXPECT_TRUE(Ini_Decipher(digits, back));
    EXPECT_EQ(back, clear);
  }
  // The key counts: a value is not stored in clear or in a trivial form.
  EXPECT_NE(Ini_Encipher("abcd"), "00097000980009900100");
}

TEST_F(IniTest, FortyDigitsGiveEightCharactersOrEndAtAZeroByte) {
  std::string clear;
  std::string eight = Ini_Encipher("abcdefgh");
  ASSERT_EQ(eight.size(), 40u);
  EXPECT_TRUE(Ini_Decipher(eight, clear));
  EXPECT_EQ(clear, "abcdefgh");
  std::string five = Ini_Encipher("abcde");
  ASSERT_EQ(five.size(), 40u);
  EXPECT_TRUE(Ini_Decipher(five, clear));
  EXPECT_EQ(clear, "abcde");
}

TEST_F(IniTest, IncompleteGroupIsIgnoredAndShortBlockIsPaddedWithZeros) {
  std::string clear;
  std::string digits = Ini_Encipher("login");
  EXPECT_TRUE(Ini_Decipher(digits + "123", clear));
  EXPECT_EQ(clear, "login");
  EXPECT_TRUE(Ini_Decipher(digits + "9", clear));
  EXPECT_EQ(clear, "login");

  // Three words: the block is deciphered with a fourth word 0, and only three
  // characters come out.
  IdeaKey key{};
  for (int i = 0; i < 7; ++i) key[i] = static_cast<unsigned char>(Ini_KeyText()[i]);
  IdeaSubkeys dk = Idea_DecryptKeys(Idea_EncryptKeys(key));
  IdeaBlock plain = Idea_Cipher(IdeaBlock{12345, 54321, 11111, 0}, dk);
  std::string expected;
  for (int i = 0; i < 3 && (plain[i] & 0xFF) != 0; ++i) expected += static_cast<char>(plain[i]);
  EXPECT_TRUE(Ini_Decipher("123455432111111", clear));
  EXPECT_EQ(clear, expected);
  EXPECT_LE(clear.size(), 3u);
}

TEST_F(IniTest, UnsoundValuesDoNotDecipher) {
  std::string clear = "x";
  EXPECT_FALSE(Ini_Decipher("12a45", clear));
  EXPECT_EQ(clear, "");
  EXPECT_FALSE(Ini_Decipher("65536", clear));
  EXPECT_FALSE(Ini_Decipher(" 1234", clear));
  EXPECT_TRUE(Ini_Decipher("65535", clear));
  // Longer than 51 characters.
  EXPECT_FALSE(Ini_Decipher(Ini_Encipher(std::string(52, 'y')), clear));
  EXPECT_TRUE(Ini_Decipher("", clear));
  EXPECT_EQ(clear, "");
}

TEST_F(IniTest, EntriesAreFoundWhateverTheirOrder) {
  Write(Pair(2, "PASS", "tiger") + Pair(1, "LOGIN", "scott") + Pair(3, "NET8", "sqlite:qv.db"));
  EXPECT_EQ(Read("LOGIN"), "scott");
  EXPECT_EQ(Read("PASS"), "tiger");
  EXPECT_EQ(Read("NET8"), "sqlite:qv.db");
  EXPECT_EQ(Read("OTHER"), "");
  EXPECT_EQ(Read("login"), "");  // case-sensitive
}

TEST_F(IniTest, FirstMatchWinsEvenWhenItsValueIsUnsound) {
  Write(Pair(1, "LOGIN", "first") + Pair(2, "LOGIN", "second"));
  EXPECT_EQ(Read("LOGIN"), "first");
  Write(";QvDb;\n1;LOGIN;12x45\n" + Pair(2, "LOGIN", "second"));
  EXPECT_EQ(Read("LOGIN"), "");
}

TEST_F(IniTest, EmptySectionOrNumberZeroAnswersEveryRequest) {
  Write(";;\n5;OTHER;" + Ini_Encipher("any") + "\n" + Pair(1, "LOGIN", "scott"));
  EXPECT_EQ(Read("LOGIN"), "any");
  Write(";S;\nabc;OTHER;" + Ini_Encipher("zero") + "\n" + Pair(1, "LOGIN", "scott"));
  EXPECT_EQ(Read("LOGIN"), "zero");
  // Section and number answer requests that ask for them.
  Write(Pair(7, "A", "seven") + Pair(8, "B", "eight"));
  EXPECT_EQ(Ini_ReadValue("x", "y", 8, file_), "eight");
  EXPECT_EQ(Ini_ReadValue("QvDb", "y", 99, file_), "seven");
  Write(";QvDb;\n007;A;" + Ini_Encipher("leading") + "\n");
  EXPECT_EQ(Ini_ReadValue("x", "y", 7, file_), "leading");
}

TEST_F(IniTest, MalformedPairsDoNotMatchAndKeepThePairing) {
  Write("no semicolons\n1;LOGIN;" + Ini_Encipher("bad1") + "\n" +  // first line malformed
        ";QvDb;\n1;LOGIN\n" +                                      // second line malformed
        "\n\n" +                                                   // empty pair
        Pair(1, "LOGIN", "good"));
  EXPECT_EQ(Read("LOGIN"), "good");
  // An odd last line is no pair.
  Write(Pair(2, "PASS", "p") + ";QvDb;\n");
  EXPECT_EQ(Read("LOGIN"), "");
}

TEST_F(IniTest, OverlongLinesMakeTheirPairNotMatchWithoutShiftingTheRest) {
  std::string longFirst = ";QvDb;" + std::string(193, 'x');  // 199 characters
  std::string okFirst = ";QvDb;" + std::string(192, 'x');    // 198 characters
  Write(longFirst + "\n" + "1;LOGIN;" + Ini_Encipher("long") + "\n" + okFirst + "\n" + "1;LOGIN;" +
        Ini_Encipher("fits") + "\n");
  EXPECT_EQ(Read("LOGIN"), "fits");

  // Second lines of 399 and 398 characters, filled with leading zeros of the number.
  auto second = [](std::size_t length, const std::string& clear) {
    std::string tail = ";LOGIN;" + Ini_Encipher(clear);
    return std::string(length - tail.size() - 1, '0') + "1" + tail;
  };
  ASSERT_EQ(second(398, "fits").size(), 398u);
  Write(";QvDb;\n" + second(399, "long") + "\n;QvDb;\n" + second(398, "fits") + "\n");
  EXPECT_EQ(Read("LOGIN"), "fits");
  // Far longer than any buffer.
  Write(";QvDb;\n1;LOGIN;" + std::string(100000, '1') + "\n" + Pair(1, "LOGIN", "after"));
  EXPECT_EQ(Read("LOGIN"), "after");
}

TEST_F(IniTest, CarriageReturnLineEndsAreAccepted) {
  Write(";QvDb;\r\n1;LOGIN;" + Ini_Encipher("scott") + "\r\n;QvDb;\r\n2;PASS;" +
        Ini_Encipher("tiger"));
  EXPECT_EQ(Read("LOGIN"), "scott");
  EXPECT_EQ(Read("PASS"), "tiger");
}

TEST_F(IniTest, MissingFileGivesEmptyValues) {
  EXPECT_EQ(Ini_ReadValue("", "LOGIN", 0, (dir_ / "absent.ini").string()), "");
}

TEST_F(IniTest, ReadLoginReadsTheInstallationsFileRelativeToTheWorkingDirectory) {
  fs::create_directories(dir_ / "files");
  fs::create_directories(dir_ / "a" / "b" / "c" / "d");
  std::ofstream(dir_ / "files" / "quorvante.ini", std::ios::binary)
      << Pair(3, "NET8", "sqlite:qv.db") + Pair(1, "LOGIN", "scott") + Pair(2, "PASS", "tiger");
  fs::path saved = fs::current_path();
  fs::current_path(dir_ / "a" / "b" / "c" / "d");
  std::string login = "x", pass = "x", net8 = "x";
  Ini_ReadLogin(login, pass, net8);
  fs::current_path(saved);
  EXPECT_EQ(login, "scott");
  EXPECT_EQ(pass, "tiger");
  EXPECT_EQ(net8, "sqlite:qv.db");

  fs::current_path(dir_);
  Ini_ReadLogin(login, pass, net8);
  fs::current_path(saved);
  EXPECT_EQ(login + pass + net8, "");
}

}  // namespace
