// Replacing a file through a temporary file and a rename.
#include "ZQLib/AtomicFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

// Creates a new temporary file next to path; -1 when none can be created.
int CreateTemporary(const std::string& path, std::string& tempName) {
  for (int attempt = 0; attempt < 100; attempt++) {
    tempName = path + ".tmp" + std::to_string(static_cast<long>(getpid())) + "_" + std::to_string(attempt);
    const int fd = open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// While it lives, a write beyond a file-size limit fails with EFBIG instead
// of ending the process, so that the failure can be handled.
class SizeLimitSignalIgnored {
 public:
  SizeLimitSignalIgnored() : previous_(std::signal(SIGXFSZ, SIG_IGN)) {}
  ~SizeLimitSignalIgnored() {
    if (previous_ != SIG_ERR) std::signal(SIGXFSZ, previous_);
  }
  SizeLimitSignalIgnored(const SizeLimitSignalIgnored&) = delete;
  SizeLimitSignalIgnored& operator=(const SizeLimitSignalIgnored&) = delete;

 private:
  void (*previous_)(int);
};

// Gives up on the temporary file, keeping the errno of the failure.
bool Discard(const std::string& tempName, int error) {
  unlink(tempName.c_str());
  errno = error != 0 ? error : EIO;
  return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(FILE*)>& write) {
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
  const SizeLimitSignalIgnored ignored;
  std::string tempName;
  const int fd = CreateTemporary(path, tempName);
  if (fd < 0) return false;
  // The file replaced keeps its permissions.
  struct stat old;
  if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
  FILE* f = fdopen(fd, "w");
  if (f == nullptr) {
    const int error = errno;
    close(fd);
    return Discard(tempName, error);
  }
  errno = 0;
  bool ok = write(f);
  int error = errno;
  if (ok && (std::fflush(f) != 0 || std::ferror(f) || fsync(fd) != 0)) {
    ok = false;
    error = errno;
  }
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) return Discard(tempName, error);
  if (std::rename(tempName.c_str(), path.c_str()) != 0) return Discard(tempName, errno);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
  return WriteFileAtomically(path, [&](FILE* f) {
    return content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
  });
}
