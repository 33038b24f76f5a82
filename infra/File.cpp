#include "infra/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

PosixFileOps g_posix;
FileOps* g_current = &g_posix;

[[nodiscard]] int LastError() {
  return errno != 0 ? errno : EIO;
}

}  // namespace

int PosixFileOps::Open(const char* path, int flags, int* handle) {
  *handle = kFileNoHandle;
  int mode;
  if ((flags & kFileRead) && (flags & kFileWrite)) {
    mode = O_RDWR;
  } else if (flags & kFileWrite) {
    mode = O_WRONLY;
  } else {
    mode = O_RDONLY;
  }
  if (flags & kFileCreate) mode |= O_CREAT;
  if (flags & kFileAppend) mode |= O_APPEND;
  if (flags & kFileWriteThrough) mode |= O_DSYNC;
  mode |= O_CLOEXEC;
  int fd;
  do {
    fd = ::open(path, mode, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return LastError();
  *handle = fd;
  return 0;
}

int PosixFileOps::Lock(int handle) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;  // the whole file, however long it grows
  int rc;
  do {
    rc = ::fcntl(handle, F_SETLK, &fl);
  } while (rc < 0 && errno == EINTR);
  if (rc != 0) {
    if (errno == EACCES || errno == EAGAIN) return kFileBusy;
    return LastError();
  }
  // A communication process may lock with flock instead of fcntl; on this
  // platform the two kinds do not see each other, so both are taken. A file
  // system without flock leaves the fcntl lock alone in force.
  do {
    rc = ::flock(handle, LOCK_EX | LOCK_NB);
  } while (rc < 0 && errno == EINTR);
  if (rc != 0 && errno == EWOULDBLOCK) {
    fl.l_type = F_UNLCK;
    ::fcntl(handle, F_SETLK, &fl);
    return kFileBusy;
  }
  return 0;
}

int PosixFileOps::SeekEnd(int handle) {
  if (::lseek(handle, 0, SEEK_END) < 0) return LastError();
  return 0;
}

int PosixFileOps::Write(int handle, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(handle, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) return EIO;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int PosixFileOps::Size(int handle, long long* size) {
  struct stat st;
  if (::fstat(handle, &st) < 0) return LastError();
  *size = static_cast<long long>(st.st_size);
  return 0;
}

int PosixFileOps::Truncate(int handle, long long size) {
  int rc;
  do {
    rc = ::ftruncate(handle, static_cast<off_t>(size));
  } while (rc < 0 && errno == EINTR);
  return rc < 0 ? LastError() : 0;
}

int PosixFileOps::Sync(int handle) {
  int rc;
  do {
    rc = ::fdatasync(handle);
  } while (rc < 0 && errno == EINTR);
  return rc < 0 ? LastError() : 0;
}

int PosixFileOps::Close(int handle) {
  // POSIX leaves the descriptor closed even when close reports an error, so
  // it is never retried.
  if (::close(handle) < 0 && errno != EINTR) return LastError();
  return 0;
}

int PosixFileOps::Unlink(const char* path) {
  if (::unlink(path) < 0) return LastError();
  return 0;
}

int PosixFileOps::Rename(const char* from, const char* to) {
  if (std::rename(from, to) != 0) return LastError();
  return 0;
}

FileOps& File_Ops() {
  return *g_current;
}

void File_SetOpsForTest(FileOps* ops) {
  g_current = ops != nullptr ? ops : &g_posix;
}

int File_Open(const char* path, int flags, int* handle) {
  return g_current->Open(path, flags, handle);
}
int File_Lock(int handle) {
  return g_current->Lock(handle);
}
int File_Size(int handle, long long* size) {
  return g_current->Size(handle, size);
}

int File_Truncate(int handle, long long size) {
  return g_current->Truncate(handle, size);
}

int File_SeekEnd(int handle) {
  return g_current->SeekEnd(handle);
}
int File_Write(int handle, const void* data, std::size_t size) {
  return g_current->Write(handle, data, size);
}
int File_Sync(int handle) {
  return g_current->Sync(handle);
}
int File_Close(int handle) {
  return g_current->Close(handle);
}
int File_Unlink(const char* path) {
  return g_current->Unlink(path);
}
int File_Rename(const char* from, const char* to) {
  return g_current->Rename(from, to);
}

FileHandle::~FileHandle() {
  // A close failure at the end of a scope has no one to report to: the
  // handle is gone either way, and a caller that needs the status calls
  // Close() itself.
  (void)Close();
}

int FileHandle::Open(const char* path, int flags) {
  int rc = Close();
  if (rc != 0) return rc;
  rc = File_Open(path, flags, &handle_);
  if (rc != 0) handle_ = kFileNoHandle;  // a failed open holds nothing
  return rc;
}

int FileHandle::Close() {
  if (handle_ == kFileNoHandle) return 0;
  return File_Close(Release());
}

int FileHandle::Release() {
  const int h = handle_;
  handle_ = kFileNoHandle;
  return h;
}
