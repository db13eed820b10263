// Replacing a file through a temporary file and a rename.
#include "ZQLib/AtomicFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

// Writes all of data to fd, resuming after interrupted or partial writes.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Creates a new temporary file next to path; -1 when none can be created.
int CreateTemporary(const std::string& path, std::string& tempName) {
  for (int attempt = 0; attempt < 100; attempt++) {
    tempName = path + ".tmp" + std::to_string(static_cast<long>(getpid())) + "_" + std::to_string(attempt);
    const int fd = open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content) {
  if (path.empty()) return false;
  std::string tempName;
  const int fd = CreateTemporary(path, tempName);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, content.data(), content.size());
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(tempName.c_str(), path.c_str()) == 0;
  if (!ok) unlink(tempName.c_str());
  return ok;
}
