#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <platform/codepage.h>
#include <platform/kernel.h>

#include "handles.h"

namespace {

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EWOULDBLOCK:
      return ERROR_SHARING_VIOLATION;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_WRITE_FAULT;
  }
}

class File : public kernel::KernelObject {
 public:
  explicit File(int fd) : fd_(fd) {}
  ~File() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
      SetLastError(ErrorFromErrno(errno));
      return false;
    }
    return true;
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

int OpenFlags(DWORD access, DWORD disposition) {
  int flags = O_CLOEXEC;
  const bool reads = (access & GENERIC_READ) != 0;
  const bool writes = (access & GENERIC_WRITE) != 0;
  flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW:
      return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS:
      return flags | O_CREAT;
    default:
      return flags;
  }
}

// A name that is not there: the file when its folder is, the path when the
// folder is missing too, as the desktop tells them apart.
DWORD MissingError(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
  struct stat info {};
  const std::string folder = path.substr(0, slash);
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                     : ERROR_PATH_NOT_FOUND;
}

DWORD ErrorFor(int error, const std::string& path) {
  return error == ENOENT ? MissingError(path) : ErrorFromErrno(error);
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD, HANDLE) {
  if (fileName == nullptr || creationDisposition < CREATE_NEW ||
      creationDisposition > TRUNCATE_EXISTING) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  // An empty name names no file: it must not fall back to some default.
  if (*fileName == '\0') return Fail(ERROR_PATH_NOT_FOUND);
  const std::string path = codepage::Cp1251ToUtf8(fileName);

  // Replacing or opening a file that was there succeeds with
  // ERROR_ALREADY_EXISTS as the last error.
  const bool may_exist = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
  const bool existed = may_exist && ::access(path.c_str(), F_OK) == 0;
  const int fd = ::open(path.c_str(), OpenFlags(desiredAccess, creationDisposition), 0666);
  if (fd < 0) return Fail(ErrorFor(errno, path));
  File* file = new File(fd);

  // The share mode is kept with an advisory lock taken before the file is
  // truncated, so a refused open leaves the other holder's file untouched.
  const bool exclusive = (shareMode & (FILE_SHARE_READ | FILE_SHARE_WRITE)) == 0;
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    const int error = errno;
    delete file;
    return Fail(ErrorFromErrno(error));
  }
  // Only a regular file with contents is truncated: devices cannot be, and
  // truncating an empty file would make some file systems flush it on close.
  struct stat info {};
  const bool has_contents = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
  const bool truncate =
      creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
  if (truncate && has_contents && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    delete file;
    return Fail(ErrorFromErrno(error));
  }
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return kernel::AddHandle(file);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  if (fileName == nullptr || *fileName == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  struct stat info {};
  const std::string path = codepage::Cp1251ToUtf8(fileName);
  if (::stat(path.c_str(), &info) != 0) {
    SetLastError(ErrorFor(errno, path));
    return INVALID_FILE_ATTRIBUTES;
  }
  const DWORD kind = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  return kind | ((info.st_mode & S_IWUSR) == 0 ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD written,
               LPOVERLAPPED overlapped) {
  if (written != nullptr) *written = 0;
  if (overlapped != nullptr || (buffer == nullptr && bytesToWrite != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  File* file = kernel::LookUp<File>(handle);
  if (file == nullptr) return FALSE;
  const char* bytes = static_cast<const char*>(buffer);
  DWORD done = 0;
  while (done < bytesToWrite) {
    const ssize_t n = ::write(file->fd(), bytes + done, bytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetLastError(n < 0 ? ErrorFromErrno(errno) : ERROR_WRITE_FAULT);
      if (written != nullptr) *written = done;
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  if (written != nullptr) *written = done;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE handle) {
  File* file = kernel::LookUp<File>(handle);
  if (file == nullptr) return FALSE;
  struct stat info {};
  if (::fstat(file->fd(), &info) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  if (!S_ISREG(info.st_mode)) return TRUE;
  const off_t end = ::lseek(file->fd(), 0, SEEK_CUR);
  // A file already that long is left alone, so nothing of it is touched.
  if (end >= 0 && (end == info.st_size || ::ftruncate(file->fd(), end) == 0)) return TRUE;
  SetLastError(ErrorFromErrno(errno));
  return FALSE;
}
