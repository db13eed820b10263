#include "support/RunPlexor.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
std::string slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::string();
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}
}  // namespace

PlexorFolder::PlexorFolder() {
  char tmpl[] = "/tmp/plexor-e2e-XXXXXX";
  char* d = mkdtemp(tmpl);
  if (!d) throw std::runtime_error("mkdtemp failed");
  dir_ = d;
}

PlexorFolder::~PlexorFolder() {
  std::string cmd = "rm -rf '" + dir_ + "'";
  if (std::system(cmd.c_str()) != 0) {
  }
}

PlexorRun PlexorFolder::run(const std::string& answers) const {
  write(".answers", answers);
  std::string cmd = "cd '" + dir_ + "' && OMP_NUM_THREADS=2 '" + std::string(PLEXOR_BIN) +
                    "' < .answers > .stdout 2> .stderr";
  int rc = std::system(cmd.c_str());
  PlexorRun r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = slurp(dir_ + "/.stdout");
  r.err = slurp(dir_ + "/.stderr");
  return r;
}

PlexorRun PlexorFolder::runWithFileSizeLimit(const std::string& answers, int blocks) const {
  write(".answers", answers);
  // The limit is set in a subshell whose output goes through a pipe, which no
  // size limit applies to; /bin/sh counts blocks of 512 bytes.
  std::string cmd = "cd '" + dir_ + "' && (trap '' XFSZ; ulimit -f " + std::to_string(blocks) +
                    "; OMP_NUM_THREADS=2 exec '" + std::string(PLEXOR_BIN) + "' < .answers 2>&1) | cat > .stdout";
  int rc = std::system(cmd.c_str());
  PlexorRun r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = slurp(dir_ + "/.stdout");
  return r;
}

void PlexorFolder::write(const std::string& name, const std::string& text) const {
  std::ofstream f(dir_ + "/" + name, std::ios::binary);
  f << text;
}

void PlexorFolder::copyFromSource(const std::string& relative, const std::string& name) const {
  write(name, slurp(std::string(PLEXOR_SOURCE_DIR) + "/" + relative));
}

bool PlexorFolder::exists(const std::string& name) const {
  return access((dir_ + "/" + name).c_str(), F_OK) == 0;
}

std::string PlexorFolder::read(const std::string& name) const { return slurp(dir_ + "/" + name); }

int CountOccurrences(const std::string& hay, const std::string& needle) {
  if (needle.empty()) return 0;
  int n = 0;
  for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + needle.size())) ++n;
  return n;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream s(text);
  for (std::string l; std::getline(s, l);) lines.push_back(l);
  return lines;
}

std::vector<double> Numbers(const std::string& line) {
  std::vector<double> v;
  std::istringstream s(line);
  for (double x; s >> x;) v.push_back(x);
  return v;
}

std::vector<std::vector<double>> DuneTable() {
  std::ifstream f(std::string(PLEXOR_SOURCE_DIR) + "/examples/dune.txt");
  std::vector<std::vector<double>> t(20, std::vector<double>(30));
  for (auto& row : t)
    for (double& x : row) f >> x;
  return t;
}
