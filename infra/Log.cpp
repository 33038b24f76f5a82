#include "infra/Log.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <thread>
#include <vector>

#include "infra/Clock.h"
#include "infra/File.h"

namespace {

struct LogSettings {
  int level = 0;
  std::string fileName = kLogDefaultFileName;
  std::string oldFileName = "msg.old";
  int entryCount = 0;
  int retryBoundMs = kLogRetryBoundMs;
  bool halten = false;
  // Entries formed while held, in order: reporting function and text.
  std::vector<std::pair<std::string, std::string>> gehalten;
  std::map<std::string, int> jeFunktion;  // entries written, by function
};

LogSettings g_log;

std::string OldNameOf(const std::string& name) {
  // Only a "." inside the file's own name counts, not one of its folders
  // ("./Msg/log" becomes "./Msg/log.old", not "..old").
  std::size_t slash = name.find_last_of('/');
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot < base) return name + ".old";
  return name.substr(0, dot) + ".old";
}

// Takes the lock on `handle`, waiting in 333 ms steps while another process
// holds it. `waitedMs` is the wait this entry has used so far. Returns 0, or
// kFileBusy when the bound ran out, or another error status.
[[nodiscard]] int LockWaiting(int handle, int& waitedMs) {
  for (;;) {
    int rc = File_Lock(handle);
    if (rc != kFileBusy) return rc;
    if (waitedMs + kLogRetryPauseMs > g_log.retryBoundMs) return kFileBusy;
    std::this_thread::sleep_for(std::chrono::milliseconds(kLogRetryPauseMs));
    waitedMs += kLogRetryPauseMs;
  }
}

// Rotation. Returns false when the entry is to be dropped (the log stayed
// locked by another process beyond the bound).
bool Rotate(int& waitedMs) {
  const char* name = g_log.fileName.c_str();
  // Hold the log's lock while it is renamed, so an entry another process is
  // writing at this moment is complete before the file becomes the old file.
  FileHandle datei;
  const bool opened = datei.Open(name, kFileRead | kFileWrite) == 0;
  if (opened && LockWaiting(datei.Get(), waitedMs) == kFileBusy) return false;
  // Any failure of the delete (a missing old file above all) is accepted.
  (void)File_Unlink(g_log.oldFileName.c_str());
  int rc = File_Rename(name, g_log.oldFileName.c_str());
  // Closing releases the lock; the log is renamed whatever the close says.
  (void)datei.Close();
  // A missing log file leaves nothing to rotate: the new file starts now.
  if (rc == 0 || rc == ENOENT) g_log.entryCount = 0;
  return true;
}

std::string TwoDigits(int a, char sep, int b, int c) {
  char buf[40];  // room for any three ints, so nothing is ever cut
  std::snprintf(buf, sizeof buf, "%02d%c%02d%c%02d", a, sep, b, sep, c);
  return buf;
}

std::string EntryText(const LogRequest& r) {
  std::tm now = Clock_Now();
  static const char* const kWords[] = {"DMSG ", "SMSG ", "FMSG ", "WMSG ", "CMSG "};
  std::string kinds;
  for (int bit = 0; bit < 5; ++bit) {
    if (r.kinds & (1 << bit)) kinds += kWords[bit];
  }
  std::string text;
  text.reserve(160 + r.message.size() + r.function.size() + r.dataSize + r.extra.size());
  text += '\xFE';
  text += "\r\nSystem-Date: ";
  text += TwoDigits(now.tm_mday, '.', now.tm_mon + 1, (now.tm_year + 1900) % 100);
  text += "\r\nSystem-Time: ";
  text += TwoDigits(now.tm_hour, ':', now.tm_min, now.tm_sec);
  text += "\r\nMsgArt_____: ";
  text += kinds;
  text += "\r\nMessage____: ";
  text += r.message;
  text += "\r\nFunktion___: ";
  text += r.function;
  text += "\r\nErrorCode__: ";
  text += std::to_string(r.errorCode);
  text += "\r\n";
  if (r.kinds & kDMSG) {
    if (r.data != nullptr) text.append(static_cast<const char*>(r.data), r.dataSize);
    text += "\r\n";
  }
  if ((r.kinds & kSMSG) && !r.extra.empty()) {
    text += r.extra;
    text += "\r\n";
  }
  return text;
}

void WriteEntry(const std::string& function, const std::string& text);

}  // namespace

void Log_Open(int level, const char* fileName) {
  g_log.level = level;
  g_log.fileName = fileName != nullptr ? fileName : kLogDefaultFileName;
  g_log.oldFileName = OldNameOf(g_log.fileName);
  g_log.entryCount = 0;
  g_log.jeFunktion.clear();
}

void Log_Write(const LogRequest& request) {
  if ((request.kinds & g_log.level) <= 0) return;
  std::string text = EntryText(request);
  if (g_log.halten) {
    g_log.gehalten.emplace_back(request.function, std::move(text));
    return;
  }
  WriteEntry(request.function, text);
}

void Log_Zurueckhalten() {
  g_log.halten = true;
}

void Log_Freigeben() {
  g_log.halten = false;
  std::vector<std::pair<std::string, std::string>> texts;
  texts.swap(g_log.gehalten);
  for (const auto& [function, text] : texts) WriteEntry(function, text);
}

void Log_Verwerfen() {
  g_log.halten = false;
  g_log.gehalten.clear();
}

namespace {

void WriteEntry(const std::string& function, const std::string& text) {
  int waitedMs = 0;
  if (g_log.entryCount > kLogEntryLimit && !Rotate(waitedMs)) return;

  FileHandle datei;
  if (datei.Open(g_log.fileName.c_str(),
                 kFileRead | kFileWrite | kFileCreate | kFileWriteThrough) != 0) {
    return;
  }
  const int handle = datei.Get();
  // Only a lock that another process holds beyond the bound drops the entry.
  // A file system that cannot lock at all (for example a network share
  // without a lock service) gets its entries unlocked rather than none.
  if (LockWaiting(handle, waitedMs) == kFileBusy || File_SeekEnd(handle) != 0) return;
  // The file is held under its lock, so its size is where this entry starts.
  long long vorher = -1;
  if (File_Size(handle, &vorher) != 0) vorher = -1;
  if (File_Write(handle, text.data(), text.size()) != 0) {
    // A full disk (or a file-size limit) may let part of the entry through: it
    // is cut off again, so that the log stays a sequence of whole entries.
    // Nothing more can be done when the cut fails: the log has no log.
    if (vorher >= 0) (void)File_Truncate(handle, vorher);
    return;
  }
  // The entry was written through to the device; a failing close loses
  // nothing of it.
  (void)datei.Close();
  ++g_log.entryCount;
  ++g_log.jeFunktion[function];
}

}  // namespace

void Log_Fehler(const char* funktion, const char* message, int code) {
  LogRequest r;
  r.function = funktion != nullptr ? funktion : "";
  r.message = message != nullptr ? message : "";
  r.kinds = kFMSG;
  r.errorCode = code;
  Log_Write(r);
}

int Log_Level() {
  return g_log.level;
}
std::string Log_FileName() {
  return g_log.fileName;
}
std::string Log_OldFileName() {
  return g_log.oldFileName;
}
int Log_EntryCount() {
  return g_log.entryCount;
}
std::map<std::string, int> Log_EintraegeJeFunktion() {
  return g_log.jeFunktion;
}

void Log_ResetForTest() {
  g_log = LogSettings{};
}

void Log_SetRetryBoundForTest(int milliseconds) {
  g_log.retryBoundMs = milliseconds < 0 ? 0 : milliseconds;
}

std::string Log_Sicher(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u == 0xFE || u == '\r' || u == '\n' || u == 0) c = '?';
  }
  return out;
}
