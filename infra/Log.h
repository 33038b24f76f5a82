// The message log: one text file of self-contained entries.
//
// Each entry starts with the byte 0xFE at the start of a line, followed by
// CR LF and the lines
//   System-Date: DD.MM.YY
//   System-Time: HH:MM:SS
//   MsgArt_____: <kind words>
//   Message____: <message>
//   Funktion___: <function>
//   ErrorCode__: <error code>
// each ending with CR LF. A DMSG entry appends its data bytes and CR LF; an
// SMSG entry with a non-empty extra text appends that text and CR LF (after
// the data when both kinds are set; an empty extra text adds nothing).
//
// Every entry opens the file (creating it, but never its folder: when the
// folder is missing the entry is dropped), takes an exclusive advisory lock,
// appends the entry and closes the file, so an operator can read or move the
// log while the program runs. Other processes may read the file meanwhile.
//
// While another process holds the lock, the entry waits in steps of 333 ms,
// at most 30 seconds per entry in all (kLogRetryBoundMs); after that the
// entry is dropped. A dropped entry is reported nowhere. Where the file system
// cannot lock at all, the entry is written without the lock.
//
// Rotation: when more than 3000 entries have been written by this process
// since the last rotation, the next entry first deletes the old file and
// renames the log file to it (waiting like above while another process holds
// the log's lock), then starts the new file. If the log file is missing at
// that moment there is nothing to rotate and the count starts again; if the
// rename fails otherwise the entry still goes into the unrotated file and the
// next entry tries the rotation again, so no entry is lost to a failed
// rotation.
#pragma once

#include <cstddef>
#include <map>
#include <string>

// Entry kinds (bits of LogRequest::kinds and of the level).
constexpr int kDMSG = 1;
constexpr int kSMSG = 2;
constexpr int kFMSG = 4;
constexpr int kWMSG = 8;
constexpr int kCMSG = 16;

// Level and file name before Log_Open is called with other values.
constexpr int kLogDefaultLevel = 13;
constexpr const char* kLogDefaultFileName = "msg.dat";
// Entries written since the last rotation before the next entry rotates.
constexpr int kLogEntryLimit = 3000;
// Pause between two attempts while another process holds the log's lock.
constexpr int kLogRetryPauseMs = 333;
// Longest wait of one entry for that lock before the entry is dropped.
constexpr int kLogRetryBoundMs = 30000;

// One entry as a caller fills it in.
struct LogRequest {
  std::string function;        // reporting function, "Funktion___"
  std::string message;         // message text, "Message____"
  int kinds = 0;               // bit mask of kDMSG ... kCMSG
  int errorCode = -1;          // "ErrorCode__"; -1 when there is none
  const void* data = nullptr;  // kDMSG only: raw bytes written after the entry
  std::size_t dataSize = 0;    // number of those bytes
  std::string extra;           // kSMSG only: text written after the entry
};

// Sets the level (bit mask of the kinds that are written) and the file name
// (nullptr keeps "msg.dat"); the old file name is derived from it: everything
// from the last "." of the file's own name on is replaced by ".old", or ".old"
// is appended when that name has no ".". Starts the entry count at 0. No file
// is touched. Before the first call the level is 0 and nothing is written.
void Log_Open(int level, const char* fileName);

// Writes one entry when any of the request's kinds is in the level. The kind
// words list every kind of the request, in the order DMSG SMSG FMSG WMSG CMSG.
void Log_Write(const LogRequest& request);

// Holding back: after Log_Zurueckhalten every entry is formed (and stamped)
// when it is requested but kept in memory; Log_Freigeben writes the kept
// entries in their order and ends the holding, Log_Verwerfen drops them and
// ends it. A correction holds its entries until it has committed, so a
// correction that is rolled back as a whole leaves none of them.
void Log_Zurueckhalten();
void Log_Freigeben();
void Log_Verwerfen();

// The usual failure entry: kind FMSG with the reporting function, a message
// (typically the failed operation's name) and the status. nullptr texts are empty.
void Log_Fehler(const char* funktion, const char* message, int code);

// A text from outside (an argument, a row written by another program, a
// library's message) as it can stand in an entry: the entry-start byte 0xFE,
// CR, LF and NUL become "?", so the text can neither forge nor split entries.
std::string Log_Sicher(const std::string& text);

// The current settings (for tests and diagnostics).
int Log_Level();
std::string Log_FileName();
std::string Log_OldFileName();
int Log_EntryCount();
// Entries this process has written since Log_Open, by reporting function
// (held entries count when they are written; dropped ones never).
std::map<std::string, int> Log_EintraegeJeFunktion();

// Test seams: back to the state before Log_Open (level 0, default names,
// count 0, default retry bound), and a shorter wait bound for a locked log.
void Log_ResetForTest();
void Log_SetRetryBoundForTest(int milliseconds);
