// qvlog: prints the entries of the correction program's log, one line each or
// as JSON lines.
//
//   qvlog [OPTIONS] FILE|FOLDER...
//
// The log (Msg/Vastrigon.Txt, rotated to Msg/Vastrigon.old) is a sequence of
// entries; each starts with the byte 0xFE at the start of a line and holds the
// lines "System-Date: DD.MM.YY", "System-Time: HH:MM:SS", "MsgArt_____: ",
// "Message____: ", "Funktion___: " and "ErrorCode__: ", each ending with CR LF
// (a data or extra text may follow). Two-digit years are read as 20YY.
//
// A FOLDER stands for its Vastrigon.old and Vastrigon.Txt. A file X.old and
// another file of the same folder and base name (X.Txt) are a rotated pair:
// the old file's entries come first, whatever their stamps say. Separate logs
// are merged by their stamps; each log keeps its own order (a clock set back
// never reorders a log). Bytes before a log's first entry are skipped. An
// entry without its ErrorCode line (the end of a log cut off, or a torn entry
// followed by later ones) is printed with the fields it has and marked as
// truncated.
//
// Options:
//   --json            one JSON object per entry: file, time
//                     ("YYYY-MM-DDTHH:MM:SS" or null), kinds, function,
//                     message, code (or null), and extra / truncated when so
//   --function NAME   only entries of that function (repeatable: any of them)
//   --code N          only entries with that error code (repeatable)
//   --since TIME      only entries at or after TIME ("YYYY-MM-DD[ HH:MM[:SS]]",
//                     also with "T" between date and time)
//   --until TIME      only entries at or before TIME (a date alone: that whole day)
//   --follow, -f      after the entries present, wait for new ones in every
//                     file that is not an .old file (polled every 250 ms);
//                     follows the log across its rotation and prints an
//                     entry once it is complete. Ends with Ctrl-C.
//   --help            this text
//
// Lines: "YYYY-MM-DD HH:MM:SS KINDS FUNCTION: MESSAGE (CODE)", with control
// bytes shown as \xNN, " [truncated]" at the end of a truncated entry, and
// "---------- --------" for a missing stamp.
// Exit status: 0; 1 when a file could not be read (the others are still
// printed); 2 for a wrong command line.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Entry {
  std::string file;
  std::string key;  // yyyymmddHHMMSS, empty when the stamp is missing or malformed
  std::string kinds, function, message, extra;
  bool hasCode = false;
  long long code = 0;
  bool truncated = false;
};

struct Options {
  bool json = false;
  bool follow = false;
  std::vector<std::string> functions;
  std::vector<long long> codes;
  std::string since, until;  // 14-digit keys, empty when not given
};

volatile std::sig_atomic_t gStop = 0;

void Usage(FILE* out) {
  std::fputs(
      "usage: qvlog [--json] [--function NAME]... [--code N]... [--since TIME]\n"
      "             [--until TIME] [--follow] FILE|FOLDER...\n"
      "Prints the entries of Vastrigon.Txt / Vastrigon.old in time order.\n"
      "A FOLDER stands for its Vastrigon.old and Vastrigon.Txt.\n"
      "TIME is YYYY-MM-DD, YYYY-MM-DD HH:MM or YYYY-MM-DD HH:MM:SS.\n",
      out);
}

bool Digits(const std::string& s, size_t pos, size_t n) {
  if (pos + n > s.size()) return false;
  for (size_t i = pos; i < pos + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

// "YYYY-MM-DD[( |T)HH:MM[:SS]]" -> 14-digit key; missing parts are filled with
// `fill` ("000000" for a start, "235959" for an end). Empty when malformed.
std::string TimeKey(const std::string& t, const char* fill) {
  if (!(t.size() >= 10 && Digits(t, 0, 4) && t[4] == '-' && Digits(t, 5, 2) && t[7] == '-' &&
        Digits(t, 8, 2)))
    return "";
  std::string key = t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2);
  std::string rest = fill;
  if (t.size() > 10) {
    if (!(t[10] == ' ' || t[10] == 'T') || !Digits(t, 11, 2) || t.size() < 16 || t[13] != ':' ||
        !Digits(t, 14, 2))
      return "";
    rest = t.substr(11, 2) + t.substr(14, 2) + std::string(fill).substr(4);
    if (t.size() > 16) {
      if (t.size() != 19 || t[16] != ':' || !Digits(t, 17, 2)) return "";
      rest = rest.substr(0, 4) + t.substr(17, 2);
    }
  }
  return key + rest;
}

// One entry's text (from its 0xFE up to the next entry or the end).
Entry Parse(const std::string& file, const std::string& text) {
  Entry e;
  e.file = file;
  std::string date, time;
  bool codeLine = false;
  size_t pos = 1;  // after the 0xFE
  if (text.compare(pos, 2, "\r\n") == 0) pos += 2;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    bool whole = end != std::string::npos;
    std::string line = text.substr(pos, whole ? end - pos : std::string::npos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = whole ? end + 1 : text.size();
    auto field = [&](const char* label, std::string& into) {
      size_t n = std::strlen(label);
      if (line.compare(0, n, label) != 0) return false;
      into = line.substr(n);
      return true;
    };
    if (codeLine) {
      e.extra += (e.extra.empty() ? "" : "\n") + line;
    } else if (field("System-Date: ", date) || field("System-Time: ", time) ||
               field("MsgArt_____: ", e.kinds) || field("Message____: ", e.message) ||
               field("Funktion___: ", e.function)) {
    } else if (line.compare(0, 13, "ErrorCode__: ") == 0) {
      char* stop = nullptr;
      std::string v = line.substr(13);
      errno = 0;
      long long c = std::strtoll(v.c_str(), &stop, 10);
      e.hasCode = !v.empty() && stop != nullptr && *stop == '\0' && errno == 0;
      e.code = c;
      // Only a line that ended with its line break makes the entry whole.
      codeLine = whole;
    } else {
      e.extra += (e.extra.empty() ? "" : "\n") + line;
    }
  }
  e.truncated = !codeLine;
  while (!e.kinds.empty() && e.kinds.back() == ' ') e.kinds.pop_back();
  if (date.size() == 8 && Digits(date, 0, 2) && date[2] == '.' && Digits(date, 3, 2) &&
      date[5] == '.' && Digits(date, 6, 2) && time.size() == 8 && Digits(time, 0, 2) &&
      time[2] == ':' && Digits(time, 3, 2) && time[5] == ':' && Digits(time, 6, 2)) {
    e.key = "20" + date.substr(6, 2) + date.substr(3, 2) + date.substr(0, 2) + time.substr(0, 2) +
            time.substr(3, 2) + time.substr(6, 2);
  }
  return e;
}

// Where the entries of `data` begin: a 0xFE at the start of the data or of a
// line, or one that opens an entry's first line (an entry written behind a
// torn one).
std::vector<size_t> Starts(const std::string& data, size_t from = 0) {
  std::vector<size_t> out;
  for (size_t p = data.find('\xFE', from); p != std::string::npos; p = data.find('\xFE', p + 1)) {
    if (p == 0 || data[p - 1] == '\n' || data.compare(p + 1, 15, "\r\nSystem-Date: ") == 0)
      out.push_back(p);
  }
  return out;
}

// Entries of `data` from `from` on. With `keepTail` an unfinished last entry
// is not parsed; `done` becomes the offset up to which entries were taken.
void Split(const std::string& file, const std::string& data, size_t from, bool keepTail,
           std::vector<Entry>& out, size_t& done) {
  std::vector<size_t> s = Starts(data, from);
  done = s.empty() ? (keepTail ? from : data.size()) : s.front();
  for (size_t i = 0; i < s.size(); ++i) {
    size_t end = i + 1 < s.size() ? s[i + 1] : data.size();
    Entry e = Parse(file, data.substr(s[i], end - s[i]));
    bool last = i + 1 == s.size();
    // The writer may still be at it: a last entry without its code line, or
    // of a kind that carries lines after it, waits for more.
    if (last && keepTail &&
        (e.truncated || e.kinds.find("DMSG") != std::string::npos ||
         e.kinds.find("SMSG") != std::string::npos))
      break;
    out.push_back(std::move(e));
    done = end;
  }
}

bool ReadFile(const std::string& path, std::string& data) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  data.clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool Wanted(const Entry& e, const Options& o) {
  if (!o.functions.empty() &&
      std::find(o.functions.begin(), o.functions.end(), e.function) == o.functions.end())
    return false;
  if (!o.codes.empty() &&
      (!e.hasCode || std::find(o.codes.begin(), o.codes.end(), e.code) == o.codes.end()))
    return false;
  if (!o.since.empty() && (e.key.empty() || e.key < o.since)) return false;
  if (!o.until.empty() && (e.key.empty() || e.key > o.until)) return false;
  return true;
}

std::string Shown(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// JSON string: valid UTF-8 passes through, any other byte is read as Latin-1.
std::string Json(const std::string& s) {
  std::string out = "\"";
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = p[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      size_t len = c >= 0xC2 && c <= 0xDF   ? 2
                   : c >= 0xE0 && c <= 0xEF ? 3
                   : c >= 0xF0 && c <= 0xF4 ? 4
                                            : 0;
      bool ok = len > 0 && i + len <= n;
      for (size_t k = 1; ok && k < len; ++k) ok = (p[i + k] & 0xC0) == 0x80;
      // No overlong forms, surrogates or values beyond U+10FFFF.
      if (ok && len == 3) ok = !(c == 0xE0 && p[i + 1] < 0xA0) && !(c == 0xED && p[i + 1] >= 0xA0);
      if (ok && len == 4) ok = !(c == 0xF0 && p[i + 1] < 0x90) && !(c == 0xF4 && p[i + 1] >= 0x90);
      if (ok) {
        out.append(s, i, len);
        i += len - 1;
      } else {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
  }
  return out + "\"";
}

void Print(const Entry& e, const Options& o) {
  std::string line;
  if (o.json) {
    line = "{\"file\":" + Json(e.file) + ",\"time\":";
    if (e.key.empty()) {
      line += "null";
    } else {
      const std::string& k = e.key;
      line += "\"" + k.substr(0, 4) + "-" + k.substr(4, 2) + "-" + k.substr(6, 2) + "T" +
              k.substr(8, 2) + ":" + k.substr(10, 2) + ":" + k.substr(12, 2) + "\"";
    }
    line += ",\"kinds\":[";
    size_t pos = 0, count = 0;
    while (pos < e.kinds.size()) {
      size_t end = e.kinds.find(' ', pos);
      if (end == std::string::npos) end = e.kinds.size();
      if (end > pos) line += (count++ ? "," : "") + Json(e.kinds.substr(pos, end - pos));
      pos = end + 1;
    }
    line += "],\"function\":" + Json(e.function) + ",\"message\":" + Json(e.message) +
            ",\"code\":" + (e.hasCode ? std::to_string(e.code) : "null");
    if (!e.extra.empty()) line += ",\"extra\":" + Json(e.extra);
    if (e.truncated) line += ",\"truncated\":true";
    line += "}";
  } else {
    const std::string& k = e.key;
    line = k.empty() ? "---------- --------"
                     : k.substr(0, 4) + "-" + k.substr(4, 2) + "-" + k.substr(6, 2) + " " +
                           k.substr(8, 2) + ":" + k.substr(10, 2) + ":" + k.substr(12, 2);
    std::string kinds = e.kinds;
    std::replace(kinds.begin(), kinds.end(), ' ', ',');
    line += " " + (kinds.empty() ? std::string("-") : Shown(kinds)) + " " + Shown(e.function) +
            ": " + Shown(e.message) + " (" + (e.hasCode ? std::to_string(e.code) : "?") + ")";
    if (!e.extra.empty()) line += " -- " + Shown(e.extra);
    if (e.truncated) line += " [truncated]";
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// "dir/X.ext" -> "dir/X" (the base name of a rotated pair).
std::string Stem(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
  return path.substr(0, dot);
}

bool IsOld(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".old") == 0;
}

// A log being followed: the file, the offset up to which entries were taken.
struct Followed {
  std::string path;
  int fd = -1;
  size_t done = 0;
};

// Reads `fd` from `from` to its end.
std::string ReadFrom(int fd, size_t from) {
  std::string out;
  char buf[65536];
  off_t at = static_cast<off_t>(from);
  for (;;) {
    ssize_t n = pread(fd, buf, sizeof buf, at);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
    at += n;
  }
  return out;
}

// One poll of a followed log: its new entries, the rest of a rotated file first.
void Poll(Followed& f, std::vector<Entry>& out) {
  struct stat now {};
  bool exists = stat(f.path.c_str(), &now) == 0;
  struct stat held {};
  if (f.fd >= 0 && fstat(f.fd, &held) == 0 && exists &&
      (held.st_ino != now.st_ino || held.st_dev != now.st_dev)) {
    // Rotated: the writer renamed the file while it held its lock, so what is
    // left in it is whole. Take it, then go on with the new file.
    std::string rest = ReadFrom(f.fd, f.done);
    size_t d;
    Split(f.path, rest, 0, false, out, d);
    close(f.fd);
    f.fd = -1;
    f.done = 0;
  }
  if (f.fd < 0) {
    if (!exists) return;
    f.fd = open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) return;
    f.done = 0;
  }
  if (fstat(f.fd, &held) != 0) return;
  // A file cut back (an entry the writer could not finish, or emptied by
  // hand) is read again from where it now ends.
  if (static_cast<size_t>(held.st_size) < f.done) f.done = static_cast<size_t>(held.st_size);
  std::string fresh = ReadFrom(f.fd, f.done);
  size_t d = 0;
  Split(f.path, fresh, 0, true, out, d);
  f.done += d;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "qvlog: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      into = argv[++i];
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      Usage(stdout);
      return 0;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--follow" || a == "-f") {
      o.follow = true;
    } else if (a == "--function") {
      value(v);
      o.functions.push_back(v);
    } else if (a == "--code") {
      value(v);
      char* stop = nullptr;
      errno = 0;
      long long c = std::strtoll(v.c_str(), &stop, 10);
      if (v.empty() || *stop != '\0' || errno != 0) {
        std::fprintf(stderr, "qvlog: --code wants a whole number, not '%s'\n", v.c_str());
        return 2;
      }
      o.codes.push_back(c);
    } else if (a == "--since" || a == "--until") {
      value(v);
      std::string key = TimeKey(v, a == "--since" ? "000000" : "235959");
      if (key.empty()) {
        std::fprintf(stderr, "qvlog: %s wants YYYY-MM-DD[ HH:MM[:SS]], not '%s'\n", a.c_str(),
                     v.c_str());
        return 2;
      }
      (a == "--since" ? o.since : o.until) = key;
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "qvlog: unknown option %s\n", a.c_str());
      Usage(stderr);
      return 2;
    } else {
      paths.push_back(a);
    }
  }
  if (paths.empty()) {
    Usage(stderr);
    return 2;
  }

  // The files: a folder stands for its rotated pair.
  std::vector<std::string> files;
  for (const std::string& p : paths) {
    struct stat st {};
    if (stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      std::string dir = p.back() == '/' ? p : p + "/";
      if (access((dir + "Vastrigon.old").c_str(), F_OK) == 0)
        files.push_back(dir + "Vastrigon.old");
      files.push_back(dir + "Vastrigon.Txt");
    } else {
      files.push_back(p);
    }
  }

  // Logs: a rotated pair is one log, its old file first.
  std::vector<std::vector<std::string>> logs;
  for (const std::string& f : files) {
    auto same = std::find_if(logs.begin(), logs.end(),
                             [&](const auto& l) { return Stem(l.front()) == Stem(f); });
    if (same == logs.end()) {
      logs.push_back({f});
    } else if (IsOld(f)) {
      same->insert(same->begin(), f);
    } else {
      same->push_back(f);
    }
  }

  int status = 0;
  std::vector<std::vector<Entry>> seqs;
  std::vector<Followed> followed;
  for (const auto& log : logs) {
    std::vector<Entry> seq;
    for (const std::string& f : log) {
      std::string data;
      bool follow = o.follow && !IsOld(f);
      if (follow) {
        // Read as the follow loop does, so that it goes on where this ends.
        Followed fl;
        fl.path = f;
        Poll(fl, seq);
        if (fl.fd < 0 && access(f.c_str(), F_OK) == 0) {
          std::fprintf(stderr, "qvlog: cannot read %s: %s\n", f.c_str(), std::strerror(errno));
          status = 1;
        }
        followed.push_back(fl);
        continue;
      }
      if (!ReadFile(f, data)) {
        std::fprintf(stderr, "qvlog: cannot read %s: %s\n", f.c_str(), std::strerror(errno));
        status = 1;
        continue;
      }
      size_t done;
      Split(f, data, 0, false, seq, done);
    }
    seqs.push_back(std::move(seq));
  }

  // Merge the logs by their stamps; each keeps its order. An entry without a
  // stamp goes with the entry before it.
  std::vector<size_t> at(seqs.size(), 0);
  std::vector<std::string> lastKey(seqs.size());
  for (;;) {
    size_t best = seqs.size();
    std::string bestKey;
    for (size_t i = 0; i < seqs.size(); ++i) {
      if (at[i] >= seqs[i].size()) continue;
      const std::string& k = seqs[i][at[i]].key.empty() ? lastKey[i] : seqs[i][at[i]].key;
      if (best == seqs.size() || k < bestKey) {
        best = i;
        bestKey = k;
      }
    }
    if (best == seqs.size()) break;
    const Entry& e = seqs[best][at[best]++];
    if (!e.key.empty()) lastKey[best] = e.key;
    if (Wanted(e, o)) Print(e, o);
  }
  std::fflush(stdout);

  if (!o.follow) return status;
  std::signal(SIGINT, [](int) { gStop = 1; });
  std::signal(SIGTERM, [](int) { gStop = 1; });
  while (!gStop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    for (Followed& f : followed) {
      std::vector<Entry> fresh;
      Poll(f, fresh);
      for (const Entry& e : fresh) {
        if (Wanted(e, o)) Print(e, o);
      }
    }
    std::fflush(stdout);
  }
  return status;
}
