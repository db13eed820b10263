// Replacing a file through a temporary one: permissions, a writer that gives
// up, a write beyond a file-size limit, a missing folder or a folder in the
// way, and the folder left without temporary files.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "ZQLib/AtomicFileWrite.h"

namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/plexor-atomic-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/track.trk";
  }
  void TearDown() override {
    const std::string cmd = "rm -rf '" + dir_ + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }
  std::string Read() const {
    std::ifstream f(path_);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }
  void Write(const std::string& text) const { std::ofstream(path_) << text; }
  int FilesInFolder() const {
    DIR* d = opendir(dir_.c_str());
    int n = 0;
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') n++;
    closedir(d);
    return n;
  }
  std::string dir_, path_;
};

// A replaced file keeps its permissions; a new one gets the usual ones.
TEST_F(AtomicFileTest, WholeWriteReplacesTheFile) {
  const mode_t mask = umask(022);
  EXPECT_TRUE(WriteFileAtomically(path_, [](FILE* f) { return std::fputs("x", f) >= 0; }));
  umask(mask);
  struct stat st;
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  chmod(path_.c_str(), 0640);
  EXPECT_TRUE(WriteFileAtomically(path_, [](FILE* f) { return std::fputs("new\n", f) >= 0; }));
  EXPECT_EQ(Read(), "new\n");
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Contents given whole, of any size.
  ASSERT_TRUE(WriteFileAtomically(path_, std::string(1 << 20, 'x')));
  EXPECT_EQ(Read().size(), 1u << 20);
  ASSERT_TRUE(WriteFileAtomically(path_, ""));
  EXPECT_EQ(Read(), "");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(AtomicFileTest, WriterGivingUpLeavesTheOldFile) {
  Write("old contents\n");
  EXPECT_FALSE(WriteFileAtomically(path_.c_str(), [](FILE* f) {
    std::fputs("half of it", f);
    return false;
  }));
  EXPECT_EQ(errno, EIO);
  EXPECT_EQ(Read(), "old contents\n");
  EXPECT_EQ(FilesInFolder(), 1) << "the temporary file is removed";
}

TEST_F(AtomicFileTest, MissingFolderOrAFolderInTheWayFailsWithoutCreatingAnything) {
  EXPECT_FALSE(WriteFileAtomically(dir_ + "/no/such.trk", [](FILE*) { return true; }));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(WriteFileAtomically("", "content"));
  EXPECT_EQ(FilesInFolder(), 0);
  ASSERT_EQ(mkdir(path_.c_str(), 0755), 0);
  EXPECT_FALSE(WriteFileAtomically(path_, "content"));
  struct stat st;
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(FilesInFolder(), 1);
}

// Beyond a size limit (as on a full disk) the write fails part way: the old
// file stays whole, in a process that is not killed by the limit's signal.
TEST_F(AtomicFileTest, WriteBeyondTheSizeLimitLeavesTheOldFile) {
  Write("old contents\n");
  std::fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool ok = WriteFileAtomically(path_.c_str(), [](FILE* f) {
      for (int i = 0; i < 10000; i++) std::fputs("0.12345678901234567\t", f);
      return !std::ferror(f);
    });
    _exit(ok ? 1 : (errno == EFBIG ? 0 : 2));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Read(), "old contents\n");
  EXPECT_EQ(FilesInFolder(), 1);
}

}  // namespace
