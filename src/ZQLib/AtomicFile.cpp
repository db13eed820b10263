#include "ZQLib/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

mode_t NewFileMode(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Gives up on the temporary file, keeping the errno of the failure.
bool Discard(FILE* f, const std::string& temp, int error) {
  if (f != nullptr) std::fclose(f);
  unlink(temp.c_str());
  errno = error != 0 ? error : EIO;
  return false;
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

}  // namespace

bool WriteFileAtomically(const char* path, const std::function<bool(FILE*)>& write) {
  std::string pattern = std::string(path) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  const std::string temp(name.data());
  FILE* f = fdopen(fd, "w");
  if (f == nullptr) {
    const int error = errno;
    close(fd);
    return Discard(nullptr, temp, error);
  }
  const SizeLimitSignalIgnored ignored;
  errno = 0;
  bool ok = write(f);
  int error = errno;
  if (ok && std::fflush(f) != 0) {
    ok = false;
    error = errno;
  }
  if (ok && std::ferror(f)) {
    ok = false;
    error = errno;
  }
  if (!ok) return Discard(f, temp, error);
  fchmod(fileno(f), NewFileMode(path));
  if (std::fclose(f) != 0) return Discard(nullptr, temp, errno);
  if (std::rename(temp.c_str(), path) != 0) return Discard(nullptr, temp, errno);
  return true;
}
