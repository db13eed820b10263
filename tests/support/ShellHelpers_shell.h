// Helpers of the session-shell tests: in-memory input streams, reading back
// what a printer wrote, a private working folder for code that writes files
// into the current folder, the answers of the common dialogues, and the parts
// of a run's output that the tests compare.
#pragma once
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace shelltest {

// A stream holding `text`, positioned at its start.
inline FILE* Input(const std::string& text) {
  FILE* f = std::tmpfile();
  std::fputs(text.c_str(), f);
  std::rewind(f);
  return f;
}

// Everything written to `f` so far; closes it.
inline std::string Contents(FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string s;
  for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
  std::fclose(f);
  return s;
}

// Everything in the file `name` ("" when it is missing).
inline std::string FileText(const char* name) {
  FILE* f = std::fopen(name, "r");
  return f == nullptr ? std::string() : Contents(f);
}

// Makes a new empty folder the current one for its lifetime.
class InTempFolder {
 public:
  InTempFolder() {
    char tmpl[] = "/tmp/plexor-shell-XXXXXX";
    if (mkdtemp(tmpl) != nullptr) dir_ = tmpl;
    if (getcwd(home_, sizeof home_) == nullptr) home_[0] = '\0';
    if (chdir(dir_.c_str()) != 0) dir_.clear();
  }
  ~InTempFolder() {
    if (chdir(home_) != 0) return;
    std::string cmd = "rm -rf '" + dir_ + "'";
    if (!dir_.empty() && std::system(cmd.c_str()) != 0) return;
  }
  InTempFolder(const InTempFolder&) = delete;
  InTempFolder& operator=(const InTempFolder&) = delete;

 private:
  std::string dir_;
  char home_[4096];
};

// Main menu N, new data, then the data dialogue: file, kind, dimensions, the
// order (omitted with "" for one variable), the labels option and the echo
// answer. The answers that follow are the caller's.
inline std::string NewData(const std::string& file, int kind, int rows, int cols, const std::string& order = "N",
                           int labels = 1, const std::string& echo = "y") {
  std::string s = "N\nn\n" + file + "\n" + std::to_string(kind) + "\n" + std::to_string(rows) + "\n" +
                  std::to_string(cols) + "\n";
  if (!order.empty()) s += order + "\n";
  return s + std::to_string(labels) + "\n" + echo + "\n";
}

// The dune meadow table of the examples, labels read from the file.
inline std::string ReadDune() { return NewData("dune.txt", 1, 20, 30, "N", 2); }

// The last status report printed before a main menu, in English.
inline std::string LastStatus(const std::string& out) {
  const size_t p = out.rfind("\nAnalysis status");
  return p == std::string::npos ? std::string() : out.substr(p, out.find("\n---", p) - p);
}

// A file the program wrote, without its lines of date and time and of
// elapsed time, and with the data file's name replaced by "DATA": what two
// runs on the same data must have in common.
inline std::string WithoutDates(const std::string& text, const std::string& dataFile) {
  std::string kept;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    const bool date = line.size() == 24 && line[3] == ' ' && line[7] == ' ' && line[13] == ':' && line[16] == ':' &&
                      line[19] == ' ';
    if (date || line.rfind("Elapsed time: ", 0) == 0) continue;
    for (size_t p; (p = line.find(dataFile)) != std::string::npos;) line.replace(p, dataFile.size(), "DATA");
    kept += line + "\n";
  }
  return kept;
}

// Preferences file that starts the program in Portuguese.
inline const char* PortuguesePreferences() {
  return "06Apr2012\n0\n1\n0.000000\n0.000000\n0.000000\n0.000000\n5\n6\n0\n";
}

}  // namespace shelltest
