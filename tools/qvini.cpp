// qvini: enciphers configuration values and writes them into the
// installation's configuration file (files/quorvante.ini), which mldkorr reads
// for its database credentials.
//
// File format: line pairs. First line of a pair: the section between the first
// and the second ";". Second line: "<number>;<NAME>;<enciphered value>". A
// value is enciphered with the program's fixed key (see infra/Ini.h): one
// 16-bit word per character, padded with 0 words to blocks of four, every word
// written as 5 decimal digits.
//
// The program looks entries up with an empty section and number 0, and a pair
// answers when its section equals the asked one OR its number does OR its
// name does. So a pair with an empty section or the number 0 would answer
// every request. The pairs that qvini writes therefore look like
//     ;QvDb;
//     1;LOGIN;<digits>
// with the section "QvDb" and a number of its own: 1 for LOGIN, 2 for PASS,
// 3 for NET8, the next free number for any other name (or when the usual one
// is taken). Replacing an entry keeps its first line when that line has a
// non-empty section and its number when that is not 0; every other line of the
// file stays byte for byte as it was. When the file ends with a line that has
// no partner, an empty line is added before the new pair so that the new pair
// is read as a pair. The file is written to a temporary file in the same
// folder and renamed over the old one; a new file gets mode 0600, an existing
// one keeps its mode.
//
// After writing, qvini reads the entry back the way the program does and fails
// (exit status 1) if an earlier pair would answer the program's request instead.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "infra/Ini.h"

namespace {

constexpr const char* kSection = "QvDb";

// One physical line: its text and its line end ("\n", "\r\n" or "" at the
// end of a file without a final line feed).
struct Line {
  std::string text;
  std::string end;
};

void Usage(std::FILE* out) {
  std::fprintf(
      out,
      "Usage: qvini set FILE NAME VALUE   encipher VALUE and write it as entry NAME into\n"
      "                                   FILE (created if missing); VALUE \"-\" reads\n"
      "                                   the value from the first line of stdin\n"
      "       qvini show [--reveal] FILE  print the deciphered entries as NAME=VALUE; the\n"
      "                                   value of PASS is shown as ******** unless\n"
      "                                   --reveal is given\n"
      "       qvini encipher VALUE        print the enciphered digits of VALUE\n"
      "       qvini --help                print this help\n"
      "\n"
      "NAME is LOGIN, PASS or NET8 for the database credentials (any name without\n"
      "\";\" or line breaks is accepted). VALUE has at most %zu characters.\n",
      kIniValueMax);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "qvini: %s\n", message.c_str());
  return 1;
}

// Reads every line of `path`. False with `error` set when the file exists but
// cannot be read; a missing file gives no lines and `exists` false.
bool ReadLines(const std::string& path, std::vector<Line>& lines, bool& exists,
               std::string& error) {
  lines.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    exists = false;
    if (errno == ENOENT) return true;
    error = path + ": " + std::strerror(errno);
    return false;
  }
  exists = true;
  Line cur;
  for (int c; (c = std::getc(f)) != EOF;) {
    if (c == '\n') {
      if (!cur.text.empty() && cur.text.back() == '\r') {
        cur.text.pop_back();
        cur.end = "\r\n";
      } else {
        cur.end = "\n";
      }
      lines.push_back(cur);
      cur = Line{};
    } else {
      cur.text += static_cast<char>(c);
    }
  }
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) {
    error = path + ": read error";
    return false;
  }
  if (!cur.text.empty()) lines.push_back(cur);
  return true;
}

// The pair starting at line `i`, split as the program splits it. False when
// it would never answer a request (malformed or a line over its limit).
bool PairAt(const std::vector<Line>& lines, std::size_t i, IniEntry& entry) {
  if (i + 1 >= lines.size()) return false;
  // A trailing "\r" without "\n" at the end of the file is no part of the line.
  std::string first = lines[i].text, second = lines[i + 1].text;
  if (lines[i + 1].end.empty() && !second.empty() && second.back() == '\r') second.pop_back();
  if (first.size() > kIniFirstLineMax || second.size() > kIniSecondLineMax) return false;
  return Ini_ParsePair(first, second, entry);
}

bool WriteFileAtomically(const std::string& path, const std::vector<Line>& lines, bool exists,
                         std::string& error) {
  // Write through a symbolic link to the file it names instead of replacing the link.
  std::string target = path;
  if (exists) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) target = resolved;
  }
  mode_t mode = 0600;
  struct stat st {};
  if (exists && stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

  std::string tmp = target + ".XXXXXX";
  std::vector<char> tmpl(tmp.begin(), tmp.end());
  tmpl.push_back('\0');
  int fd = mkstemp(tmpl.data());
  if (fd < 0) {
    error = "cannot create a temporary file beside " + target + ": " + std::strerror(errno);
    return false;
  }
  tmp = tmpl.data();
  std::string content;
  for (const Line& l : lines) content += l.text + l.end;
  bool ok = fchmod(fd, mode) == 0;
  const char* p = content.data();
  std::size_t left = content.size();
  while (ok && left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (ok) ok = fsync(fd) == 0;
  int saved = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && std::rename(tmp.c_str(), target.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    unlink(tmp.c_str());
    error = "cannot write " + target + ": " + std::strerror(saved);
  }
  return ok;
}

bool CheckValue(const std::string& value, std::string& error) {
  if (value.size() > kIniValueMax) {
    error = "value longer than " + std::to_string(kIniValueMax) + " characters";
    return false;
  }
  return true;
}

int UsualNumber(const std::string& name) {
  if (name == "LOGIN") return 1;
  if (name == "PASS") return 2;
  if (name == "NET8") return 3;
  return 0;
}

int CmdSet(const std::string& path, const std::string& name, std::string value) {
  if (name.empty()) return Fail("NAME must not be empty");
  if (name.find_first_of(";\r\n") != std::string::npos) {
    return Fail("NAME must not contain \";\" or line breaks");
  }
  if (value == "-") {
    if (!std::getline(std::cin, value)) return Fail("no value on standard input");
    if (!value.empty() && value.back() == '\r') value.pop_back();
  }
  std::string error;
  if (!CheckValue(value, error)) return Fail(error);
  if (value.find('\0') != std::string::npos) return Fail("value must not contain a zero byte");

  std::vector<Line> lines;
  bool exists = false;
  if (!ReadLines(path, lines, exists, error)) return Fail(error);

  // The pair to replace (first one with that name) and the numbers in use.
  std::size_t found = lines.size();
  std::set<int> used;
  IniEntry entry;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (!PairAt(lines, i, entry)) continue;
    if (found == lines.size() && entry.name == name) {
      found = i;
    } else {
      used.insert(entry.number);
    }
  }

  int number = 0;
  std::string firstLine = std::string(";") + kSection + ";";
  if (found != lines.size()) {
    PairAt(lines, found, entry);
    if (!entry.section.empty()) firstLine = lines[found].text;
    if (entry.number != 0 && used.count(entry.number) == 0) number = entry.number;
  }
  if (number == 0) {
    number = UsualNumber(name);
    if (number == 0 || used.count(number) != 0) {
      number = 3;
      while (used.count(number) != 0 || number <= 3) ++number;
    }
  }
  std::string secondLine = std::to_string(number) + ";" + name + ";" + Ini_Encipher(value);
  if (secondLine.size() > kIniSecondLineMax) {
    return Fail("NAME too long: the entry's line would exceed " +
                std::to_string(kIniSecondLineMax) + " characters");
  }

  if (found != lines.size()) {
    lines[found].text = firstLine;
    lines[found + 1].text = secondLine;
  } else {
    std::string end = "\n";
    if (!lines.empty() && lines.front().end == "\r\n") end = "\r\n";
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = end;
    if (lines.size() % 2 != 0) lines.push_back(Line{"", end});
    lines.push_back(Line{firstLine, end});
    lines.push_back(Line{secondLine, end});
  }

  if (!WriteFileAtomically(path, lines, exists, error)) return Fail(error);

  // Read it back as the program asks for it.
  std::string back = Ini_ReadValue("", name, 0, path);
  if (back != value) {
    return Fail(
        "written, but an earlier entry with an empty section or the number 0 answers "
        "the request for " +
        name + " instead; correct " + path + " by hand");
  }
  return 0;
}

int CmdShow(const std::string& path, bool reveal) {
  std::vector<Line> lines;
  bool exists = false;
  std::string error;
  if (!ReadLines(path, lines, exists, error)) return Fail(error);
  if (!exists) return Fail(path + ": " + std::strerror(ENOENT));
  IniEntry entry;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (!PairAt(lines, i, entry)) continue;
    std::string clear;
    if (!Ini_Decipher(entry.value, clear)) {
      std::fprintf(stderr, "qvini: line %zu: the value of %s does not decipher\n", i + 2,
                   entry.name.c_str());
    }
    if (entry.section.empty() || entry.number == 0) {
      std::fprintf(stderr,
                   "qvini: line %zu: %s has an empty section or the number 0 and answers every "
                   "request\n",
                   i + 2, entry.name.c_str());
    }
    // The password is not shown to whoever looks over the shoulder or reads
    // a terminal log, unless asked for; an empty one is shown as empty.
    if (entry.name == "PASS" && !reveal && !clear.empty()) clear = "********";
    std::printf("%s=%s\n", entry.name.c_str(), clear.c_str());
  }
  return 0;
}

int CmdEncipher(const std::string& value) {
  std::string error;
  if (!CheckValue(value, error)) return Fail(error);
  std::printf("%s\n", Ini_Encipher(value).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    Usage(stderr);
    return 2;
  }
  const std::string& cmd = args[0];
  if (cmd == "--help" || cmd == "-h" || cmd == "help") {
    Usage(stdout);
    return 0;
  }
  if (cmd == "set" && args.size() == 4) return CmdSet(args[1], args[2], args[3]);
  if (cmd == "show" && args.size() == 2) return CmdShow(args[1], false);
  if (cmd == "show" && args.size() == 3 && args[1] == "--reveal") return CmdShow(args[2], true);
  if (cmd == "show" && args.size() == 3 && args[2] == "--reveal") return CmdShow(args[1], true);
  if (cmd == "encipher" && args.size() == 2) return CmdEncipher(args[1]);
  std::fprintf(stderr, "qvini: invalid arguments\n");
  Usage(stderr);
  return 2;
}
