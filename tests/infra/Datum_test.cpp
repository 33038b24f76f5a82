// Date and time helpers without a database.
#include "infra/Datum.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Seconds since 1970 of a UTC date, from the C library, as the reference.
long long Referenz(int y, int m, int d) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = m - 1;
  t.tm_mday = d;
  return static_cast<long long>(timegm(&t));
}

TEST(DatumTest, MinutenInZeitWritesHHMM00AndTheDayEnd) {
  EXPECT_EQ(Minuten_InZeit(1440), "235959");
  EXPECT_EQ(Minuten_InZeit(0), "000000");
  EXPECT_EQ(Minuten_InZeit(1439), "235900");
  EXPECT_EQ(Minuten_InZeit(1500), "250000");
  EXPECT_EQ(Minuten_InZeit(810), "133000");
  EXPECT_EQ(Minuten_InZeit(2880), "480000");  // only exactly 24:00 is the day end
}

TEST(DatumTest, ZeitInMinutenReadsHoursAndMinutesOnly) {
  EXPECT_EQ(Zeit_InMinuten("133000"), 810);
  EXPECT_EQ(Zeit_InMinuten("0000"), 0);
  EXPECT_EQ(Zeit_InMinuten("235959"), 1439);
  // Short, blank-led and non-numeric texts: each pair as far as it reads.
  EXPECT_EQ(Zeit_InMinuten("13"), 780);
  EXPECT_EQ(Zeit_InMinuten(""), 0);
  EXPECT_EQ(Zeit_InMinuten(" 930"), 570);
  EXPECT_EQ(Zeit_InMinuten("ab30"), 30);
  EXPECT_EQ(Zeit_InMinuten("1x3y"), 63);
  // Round trip of every minute of the day.
  for (int m = 0; m < 1440; ++m) ASSERT_EQ(Zeit_InMinuten(Minuten_InZeit(m)), m) << m;
}

TEST(DatumTest, ZeitDifferenzAcrossLeapDaysAndCenturies) {
  EXPECT_EQ(Zeit_Differenz("20040301000000", "20040229235959"), 1);
  EXPECT_EQ(Zeit_Differenz("20040229235959", "20040301000000"), -1);
  EXPECT_EQ(Zeit_Differenz("20040301000000", "20040301000000"), 0);
  EXPECT_EQ(Zeit_Differenz("21000301000000", "21000228000000"), 86400);
  EXPECT_EQ(Zeit_Differenz("20000301000000", "20000228000000"), 2 * 86400);
  // A whole leap year and a whole common year.
  EXPECT_EQ(Zeit_Differenz("20050101000000", "20040101000000"), 366 * 86400);
  EXPECT_EQ(Zeit_Differenz("21010101000000", "21000101000000"), 365 * 86400);
  // Past the 32-bit second count of 2038 the difference stays right.
  EXPECT_EQ(Zeit_Differenz("20380119031408", "20380119031407"), 1);
  EXPECT_EQ(Zeit_Differenz("20400101120000", "20391231060000"), 30 * 3600);
  // A difference beyond the int range is limited, with its sign.
  EXPECT_EQ(Zeit_Differenz("99991231235959", "19700101000000"), INT_MAX);
  EXPECT_EQ(Zeit_Differenz("19700101000000", "99991231235959"), INT_MIN);
}

TEST(DatumTest, ZeitDifferenzReadsOnlyFourteenCharacters) {
  EXPECT_EQ(Zeit_Differenz("20040301000000999", "20040301000000"), 0);
  // Missing characters read as "0": a bare date is its midnight.
  EXPECT_EQ(Zeit_Differenz("20040301", "20040229235959"), 1);
  EXPECT_EQ(Zeit_Differenz("2004030112", "20040301115959"), 1);
  // Empty or garbage texts give a number, not a crash.
  EXPECT_EQ(Zeit_Differenz("", ""), 0);
  EXPECT_EQ(Zeit_Differenz("abcdefghijklmn", "abcdefghijklmn"), 0);
}

TEST(DatumTest, StempelZerlegenAndUhrzeitInSekunden) {
  std::string datum, zeit;
  Stempel_Zerlegen("20040301133005", datum, zeit);
  EXPECT_EQ(datum, "01.03.2004");
  EXPECT_EQ(zeit, "13:30:05");
  EXPECT_EQ(Uhrzeit_InSekunden(zeit), 13 * 3600 + 30 * 60 + 5);
  Stempel_Zerlegen("200403", datum, zeit);
  EXPECT_EQ(datum, "00.03.2004");
  EXPECT_EQ(zeit, "00:00:00");
  EXPECT_EQ(Uhrzeit_InSekunden("23:59:59"), 86399);
  EXPECT_EQ(Uhrzeit_InSekunden("12"), 43200);
}

TEST(DatumTest, CalendarArithmeticAgreesWithTheCLibrary) {
  // Every day from 1970 to 2100 (plus a margin) against timegm.
  for (int y = 1970; y <= 2101; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= Monat_Laenge(m, y); ++d) {
        ASSERT_EQ(Datum_InSekunden(d, m, y), Referenz(y, m, d)) << y << "-" << m << "-" << d;
      }
    }
  }
  EXPECT_EQ(Monat_Laenge(2, 1900), 28);
  EXPECT_EQ(Monat_Laenge(2, 2000), 29);
  EXPECT_EQ(Monat_Laenge(2, 2004), 29);
  EXPECT_EQ(Monat_Laenge(2, 2100), 28);
  EXPECT_EQ(Monat_Laenge(11, 2004), 30);
  EXPECT_EQ(Tag_ImJahr(31, 12, 2004), 366);
  EXPECT_EQ(Tag_ImJahr(1, 3, 2100), 60);
  EXPECT_EQ(Tag_ImJahr(1, 1, 2100), 1);
}

TEST(DatumTest, DatumInSekundenTwoDigitYearsAndDatesBefore1970) {
  EXPECT_EQ(Datum_InSekunden(1, 1, 0), Datum_InSekunden(1, 1, 2000));
  EXPECT_EQ(Datum_InSekunden(1, 1, 69), Datum_InSekunden(1, 1, 2069));
  EXPECT_EQ(Datum_InSekunden(1, 1, 70), 0);
  EXPECT_EQ(Datum_InSekunden(31, 12, 99), Datum_InSekunden(31, 12, 1999));
  // Absolute difference: the day before 1970 counts like the day after it.
  EXPECT_EQ(Datum_InSekunden(31, 12, 1969), 86400);
  EXPECT_EQ(Tage_Zwischen(1, 3, 2004, 28, 2, 2004), 2);
  EXPECT_EQ(Tage_Zwischen(28, 2, 2004, 1, 3, 2004), 2);
  // Odd inputs give a number without looping or overflowing.
  EXPECT_EQ(Tag_ImJahr(5, 0, 2004), 5);
  EXPECT_EQ(Tag_ImJahr(1, 14, 2003), 365 + 31 + 1);
  EXPECT_GT(Tag_ImJahr(1, INT_MAX, 2004), 0);
}

TEST(DatumTest, DatumPlusStepsOverMonthsYearsAndLeapDays) {
  std::string out;
  ASSERT_TRUE(Datum_Plus("20040228", 1, out));
  EXPECT_EQ(out, "20040229");
  ASSERT_TRUE(Datum_Plus("20040301", -1, out));
  EXPECT_EQ(out, "20040229");
  ASSERT_TRUE(Datum_Plus("21000228", 1, out));
  EXPECT_EQ(out, "21000301");
  ASSERT_TRUE(Datum_Plus("20041231", 1, out));
  EXPECT_EQ(out, "20050101");
  ASSERT_TRUE(Datum_Plus("20050101", -1, out));
  EXPECT_EQ(out, "20041231");
  ASSERT_TRUE(Datum_Plus("20000101", 366, out));
  EXPECT_EQ(out, "20010101");
  ASSERT_TRUE(Datum_Plus("20240315", 0, out));
  EXPECT_EQ(out, "20240315");
  // Every day of four centuries steps to the next and back.
  std::string d = "19991231";
  for (int i = 0; i < 146097; ++i) {
    std::string next, back;
    ASSERT_TRUE(Datum_Plus(d, 1, next)) << d;
    ASSERT_TRUE(Datum_Plus(next, -1, back)) << next;
    ASSERT_EQ(back, d);
    ASSERT_GT(next, d);
    d = next;
  }
  EXPECT_EQ(d, "23991231");
}

TEST(DatumTest, DatumPlusRefusesNonDates) {
  std::string out = "unchanged";
  EXPECT_FALSE(Datum_Plus("", 1, out));
  EXPECT_FALSE(Datum_Plus("        ", 1, out));
  EXPECT_FALSE(Datum_Plus("2004022", 1, out));
  EXPECT_FALSE(Datum_Plus("200402300", 1, out));
  EXPECT_FALSE(Datum_Plus("20040230", 1, out));
  EXPECT_FALSE(Datum_Plus("20041301", 1, out));
  EXPECT_FALSE(Datum_Plus("2004-3-1", 1, out));
  EXPECT_FALSE(Datum_Plus("00000101", 1, out));
  EXPECT_FALSE(Datum_Plus("99991231", 1, out));
  EXPECT_FALSE(Datum_Plus("00010101", -1, out));
  EXPECT_FALSE(Datum_Plus("20040101", INT_MIN, out));
  EXPECT_EQ(out, "unchanged");
}

class DatumSysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* alt = std::getenv("QV_TEST_NOW");
    hatte_ = alt != nullptr;
    if (hatte_) alt_ = alt;
  }
  void TearDown() override {
    if (hatte_) {
      setenv("QV_TEST_NOW", alt_.c_str(), 1);
    } else {
      unsetenv("QV_TEST_NOW");
    }
  }
  bool hatte_ = false;
  std::string alt_;
};

TEST_F(DatumSysTest, GetSysDatumLayouts) {
  setenv("QV_TEST_NOW", "20260307091502", 1);
  std::string a = "old", b = "old";
  EXPECT_EQ(Get_SysDatum(a, b, 1), 0);
  EXPECT_EQ(a, "07032026");
  EXPECT_EQ(b, "091502");
  b = "old";
  EXPECT_EQ(Get_SysDatum(a, b, 2), 0);
  EXPECT_EQ(a, "07032026091502");
  EXPECT_EQ(b, "");
  EXPECT_EQ(Get_SysDatum(a, b, 3), 0);
  EXPECT_EQ(a, "20260307");
  EXPECT_EQ(b, "091502");
  EXPECT_EQ(Get_SysDatum(a, b, 4), 0);
  EXPECT_EQ(a, "20260307091502");
  EXPECT_EQ(b, "");
  for (int layout : {0, 5, -1}) {
    a = "old";
    b = "old";
    EXPECT_EQ(Get_SysDatum(a, b, layout), 0);
    EXPECT_EQ(a, "");
    EXPECT_EQ(b, "");
  }
}

TEST_F(DatumSysTest, GetSysDatumCenturyIsTheLiteral20) {
  setenv("QV_TEST_NOW", "21260101000000", 1);
  std::string a, b;
  Get_SysDatum(a, b, 4);
  EXPECT_EQ(a, "20260101000000");
}

}  // namespace
