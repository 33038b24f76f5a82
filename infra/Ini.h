// The installation's configuration file and its enciphered values.
//
// The file is a sequence of line pairs. In the first line of a pair the text
// between the first and the second ";" is the entry's section. In the second
// line the text before the first ";" is the entry's number (decimal; text that
// is not a number counts as 0), the text between the first and the second ";"
// its name, and the rest of the line its enciphered value. A line ends at a
// line feed; a carriage return before it is not part of the line.
//
// Pairs follow each other line by line, whatever the lines hold. A pair that
// cannot be split (fewer than two ";" in either line) or that has a line longer
// than its limit (198 characters in the first line, 398 in the second, line
// feed not counted) never matches a request; the next pair starts with the
// next line all the same, so a bad pair cannot shift the pairing of the rest.
//
// An enciphered value is a sequence of 5-digit decimal numbers, each one
// 16-bit word, four words to a 64-bit block of the IDEA cipher, keyed by the
// fixed key text of Ini_KeyText(). An incomplete last group of fewer than 5
// characters is ignored. A value that holds anything but digits in its groups,
// a group above 65535, or a clear text longer than 51 characters does not
// decipher: it reads as empty.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// The configuration file of the installation, relative to the working directory.
constexpr const char* kIniConfigPath = "../../../../files/quorvante.ini";
// Longest clear text of a value.
constexpr std::size_t kIniValueMax = 51;
// Longest first and second line of a pair, line feed not counted.
constexpr std::size_t kIniFirstLineMax = 198;
constexpr std::size_t kIniSecondLineMax = 398;

// One line pair, split.
struct IniEntry {
  std::string section;
  int number = 0;
  std::string name;
  std::string value;  // enciphered digits as they stand in the file
};

// Reads the deciphered value of the first pair of `file` whose section equals
// `section`, or whose name equals `name`, or whose number equals `number`
// (exact, case-sensitive). Empty when the file cannot be read, no pair matches
// or the value does not decipher.
std::string Ini_ReadValue(const std::string& section, const std::string& name, int number,
                          const std::string& file);

// Reads LOGIN, PASS and NET8 from the configuration file (empty section,
// number 0), each possibly empty.
void Ini_ReadLogin(std::string& login, std::string& pass, std::string& net8);

// The fixed 7-character key text; with its terminating zero it gives the
// eight key words of the cipher.
const char* Ini_KeyText();

// Deciphers enciphered digits. False (and `clear` empty) when the value does
// not decipher (see above). The clear text ends at the first zero byte.
bool Ini_Decipher(const std::string& digits, std::string& clear);

// Enciphers a clear text: each character one word (its byte value), padded
// with 0 words to whole blocks, every word written as 5 digits.
std::string Ini_Encipher(const std::string& clear);

// Splits a pair of lines (without their line ends). False when malformed.
bool Ini_ParsePair(const std::string& first, const std::string& second, IniEntry& entry);

// Whether a split pair answers a request (section, name, number).
bool Ini_Matches(const IniEntry& entry, const std::string& section, const std::string& name,
                 int number);

// Reads one line of `f` without its line end ("\n" or "\r\n"). False at the
// end of the file when nothing was left. A line longer than `limit`
// characters is read to its end all the same; only the first `limit`
// characters are kept and `tooLong` is set.
bool Ini_ReadLine(std::FILE* f, std::size_t limit, std::string& line, bool& tooLong);
