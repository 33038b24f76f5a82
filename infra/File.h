// File access of the message log and the download buffer files.
//
// Every open, lock, positioning, write, close, delete and rename of those files
// goes through the current FileOps object, so that a test can make any single
// step fail (derive from PosixFileOps, override one member, install it with
// File_SetOpsForTest). Nothing else in the program needs to know about it.
//
// Status values: 0 is success; a positive value is the operating system's
// error number (errno) of the failed call; kFileBusy (negative, never an
// errno) means that another process holds the advisory lock on the file, the
// POSIX form of a sharing violation. Callers that log a failure log the status
// as the error code.
#pragma once

#include <cstddef>

// Open flags (combine with |).
constexpr int kFileRead = 1;           // open for reading
constexpr int kFileWrite = 2;          // open for writing (with kFileRead: reading and writing)
constexpr int kFileCreate = 4;         // create the file when it does not exist
constexpr int kFileAppend = 8;         // every write goes to the end of the file
constexpr int kFileWriteThrough = 16;  // each write reaches the device before it returns

// Status: the lock is held by another process.
constexpr int kFileBusy = -2;

// Handle of an open file; -1 when none.
constexpr int kFileNoHandle = -1;

// The file operations. All members return 0 or an error status as above.
class FileOps {
 public:
  virtual ~FileOps() = default;
  // Opens `path` with the flags above; on success *handle is the open file.
  // New files get permission mode 0644 (less the process umask).
  [[nodiscard]] virtual int Open(const char* path, int flags, int* handle) = 0;
  // Takes an exclusive advisory lock on the whole file without waiting, of
  // both kinds a process on this platform may use (an fcntl record lock and
  // flock): kFileBusy when another process holds either. The lock lasts
  // until the handle is closed.
  [[nodiscard]] virtual int Lock(int handle) = 0;
  // Moves the file position to the end of the file.
  [[nodiscard]] virtual int SeekEnd(int handle) = 0;
  // Writes all `size` bytes (a short write counts as a failure).
  [[nodiscard]] virtual int Write(int handle, const void* data, std::size_t size) = 0;
  // The size of the open file in bytes.
  [[nodiscard]] virtual int Size(int handle, long long* size) = 0;
  // Cuts the open file back to `size` bytes.
  [[nodiscard]] virtual int Truncate(int handle, long long size) = 0;
  // Brings what was written through the handle to the device.
  [[nodiscard]] virtual int Sync(int handle) = 0;
  // Closes the handle (and so releases its lock).
  [[nodiscard]] virtual int Close(int handle) = 0;
  // Deletes the file.
  [[nodiscard]] virtual int Unlink(const char* path) = 0;
  // Renames `from` to `to`, replacing `to` when it exists.
  [[nodiscard]] virtual int Rename(const char* from, const char* to) = 0;
};

// The real operations (POSIX open, fcntl, lseek, write, close, unlink, rename).
class PosixFileOps : public FileOps {
 public:
  [[nodiscard]] int Open(const char* path, int flags, int* handle) override;
  [[nodiscard]] int Lock(int handle) override;
  [[nodiscard]] int SeekEnd(int handle) override;
  [[nodiscard]] int Write(int handle, const void* data, std::size_t size) override;
  [[nodiscard]] int Size(int handle, long long* size) override;
  [[nodiscard]] int Truncate(int handle, long long size) override;
  [[nodiscard]] int Sync(int handle) override;
  [[nodiscard]] int Close(int handle) override;
  [[nodiscard]] int Unlink(const char* path) override;
  [[nodiscard]] int Rename(const char* from, const char* to) override;
};

// The operations currently in use (the real ones unless a test installed others).
FileOps& File_Ops();

// Test seam: installs `ops` as the current operations; nullptr restores the
// real ones. The caller keeps ownership and keeps the object alive while installed.
void File_SetOpsForTest(FileOps* ops);

// Shorthands that call the current operations.
[[nodiscard]] int File_Open(const char* path, int flags, int* handle);
[[nodiscard]] int File_Lock(int handle);
[[nodiscard]] int File_SeekEnd(int handle);
[[nodiscard]] int File_Write(int handle, const void* data, std::size_t size);
[[nodiscard]] int File_Size(int handle, long long* size);
[[nodiscard]] int File_Truncate(int handle, long long size);
[[nodiscard]] int File_Sync(int handle);
[[nodiscard]] int File_Close(int handle);
[[nodiscard]] int File_Unlink(const char* path);
[[nodiscard]] int File_Rename(const char* from, const char* to);

// Owns one handle of the current file operations and closes it when it goes
// out of scope, so that no return path leaves a file (and its lock) open.
// Close() closes earlier and reports the status; Release() hands the handle
// on without closing it.
class FileHandle {
 public:
  FileHandle() = default;
  ~FileHandle();
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Opens `path` into this holder (closing what it held before).
  [[nodiscard]] int Open(const char* path, int flags);
  [[nodiscard]] int Close();
  int Release();
  int Get() const { return handle_; }

 private:
  int handle_ = kFileNoHandle;
};
