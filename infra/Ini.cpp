#include "infra/Ini.h"

#include <climits>
#include <memory>
#include <vector>

#include "infra/Idea.h"

namespace {

// The key text of every configuration file of the installation. Changing it
// makes every enciphered value unreadable.
constexpr char kKeyText[] = "Qv7Korr";
static_assert(sizeof kKeyText == 8, "the key text has 7 characters and its terminator");

IdeaKey KeyWords() {
  IdeaKey key{};
  for (std::size_t i = 0; i < key.size(); ++i) {
    key[i] = static_cast<unsigned char>(kKeyText[i]);
  }
  return key;
}

// Leading decimal integer of `text` (blanks and a sign allowed before it);
// 0 when there is none or it does not fit an int.
int ParseNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    digits = true;
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (!digits) return 0;
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return 0;
  return static_cast<int>(value);
}

}  // namespace

const char* Ini_KeyText() {
  return kKeyText;
}

bool Ini_ReadLine(std::FILE* f, std::size_t limit, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::size_t length = 0;
  bool any = false;
  bool pendingCr = false;  // a "\r" kept back until we know whether "\n" follows
  for (int c; (c = std::getc(f)) != EOF;) {
    any = true;
    if (c == '\n') break;
    if (pendingCr) {
      if (length < limit) line += '\r';
      if (++length > limit) tooLong = true;
      pendingCr = false;
    }
    if (c == '\r') {
      pendingCr = true;
      continue;
    }
    if (length < limit) line += static_cast<char>(c);
    if (++length > limit) tooLong = true;
  }
  // A "\r" right before the end of the file without a "\n" ends the line too.
  return any;
}

bool Ini_ParsePair(const std::string& first, const std::string& second, IniEntry& entry) {
  entry = IniEntry{};
  std::size_t a = first.find(';');
  std::size_t b = a == std::string::npos ? a : first.find(';', a + 1);
  std::size_t c = second.find(';');
  std::size_t d = c == std::string::npos ? c : second.find(';', c + 1);
  if (b == std::string::npos || d == std::string::npos) return false;
  entry.section = first.substr(a + 1, b - a - 1);
  entry.number = ParseNumber(second.substr(0, c));
  entry.name = second.substr(c + 1, d - c - 1);
  entry.value = second.substr(d + 1);
  return true;
}

bool Ini_Matches(const IniEntry& entry, const std::string& section, const std::string& name,
                 int number) {
  return entry.section == section || entry.name == name || entry.number == number;
}

bool Ini_Decipher(const std::string& digits, std::string& clear) {
  clear.clear();
  const std::size_t words = digits.size() / 5;
  std::vector<std::uint16_t> cipher((words + 3) / 4 * 4, 0);
  for (std::size_t w = 0; w < words; ++w) {
    unsigned value = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      char ch = digits[5 * w + i];
      if (ch < '0' || ch > '9') return false;
      value = value * 10 + static_cast<unsigned>(ch - '0');
    }
    if (value > 0xFFFFu) return false;
    cipher[w] = static_cast<std::uint16_t>(value);
  }
  const IdeaSubkeys dk = Idea_DecryptKeys(Idea_EncryptKeys(KeyWords()));
  std::string text;
  for (std::size_t blk = 0; blk < cipher.size(); blk += 4) {
    IdeaBlock out =
        Idea_Cipher(IdeaBlock{cipher[blk], cipher[blk + 1], cipher[blk + 2], cipher[blk + 3]}, dk);
    for (std::size_t i = 0; i < 4 && blk + i < words; ++i) {
      char ch = static_cast<char>(out[i] & 0xFF);
      if (ch == '\0') {
        if (text.size() > kIniValueMax) return false;
        clear = text;
        return true;
      }
      text += ch;
    }
  }
  if (text.size() > kIniValueMax) return false;
  clear = text;
  return true;
}

std::string Ini_Encipher(const std::string& clear) {
  std::vector<std::uint16_t> words((clear.size() + 3) / 4 * 4, 0);
  for (std::size_t i = 0; i < clear.size(); ++i) words[i] = static_cast<unsigned char>(clear[i]);
  const IdeaSubkeys ek = Idea_EncryptKeys(KeyWords());
  std::string digits;
  for (std::size_t blk = 0; blk < words.size(); blk += 4) {
    IdeaBlock out =
        Idea_Cipher(IdeaBlock{words[blk], words[blk + 1], words[blk + 2], words[blk + 3]}, ek);
    for (std::uint16_t w : out) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "%05u", static_cast<unsigned>(w));
      digits += buf;
    }
  }
  return digits;
}

std::string Ini_ReadValue(const std::string& section, const std::string& name, int number,
                          const std::string& file) {
  struct Schliessen {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Schliessen> datei(std::fopen(file.c_str(), "r"));
  if (datei == nullptr) return "";
  std::FILE* f = datei.get();
  std::string first, second, result;
  bool firstTooLong = false, secondTooLong = false;
  while (Ini_ReadLine(f, kIniFirstLineMax, first, firstTooLong) &&
         Ini_ReadLine(f, kIniSecondLineMax, second, secondTooLong)) {
    if (firstTooLong || secondTooLong) continue;
    IniEntry entry;
    if (!Ini_ParsePair(first, second, entry)) continue;
    if (!Ini_Matches(entry, section, name, number)) continue;
    Ini_Decipher(entry.value, result);
    break;
  }
  return result;
}

void Ini_ReadLogin(std::string& login, std::string& pass, std::string& net8) {
  login = Ini_ReadValue("", "LOGIN", 0, kIniConfigPath);
  pass = Ini_ReadValue("", "PASS", 0, kIniConfigPath);
  net8 = Ini_ReadValue("", "NET8", 0, kIniConfigPath);
}
