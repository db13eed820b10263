// Runs the built program in a fresh temporary folder with answers on standard
// input, and reads back what it printed and the files it wrote.
#pragma once
#include <string>
#include <vector>

struct PlexorRun {
  int status = -1;      // exit status of the program
  std::string out;      // standard output
  std::string err;      // standard error
};

class PlexorFolder {
 public:
  PlexorFolder();                       // creates an empty temporary folder
  ~PlexorFolder();                      // removes it
  const std::string& path() const { return dir_; }
  // Runs the program in the folder with `answers` on standard input.
  PlexorRun run(const std::string& answers) const;
  // The same with no file written by the program allowed to grow beyond
  // `blocks` blocks of 512 bytes (the size-limit signal ignored, as on a full
  // disk writes simply fail). Standard output and error both go to `out`.
  PlexorRun runWithFileSizeLimit(const std::string& answers, int blocks) const;
  // Writes a file into the folder.
  void write(const std::string& name, const std::string& text) const;
  // Copies a file of the source tree (relative to the project root) into the folder.
  void copyFromSource(const std::string& relative, const std::string& name) const;
  bool exists(const std::string& name) const;
  std::string read(const std::string& name) const;  // empty when missing
 private:
  std::string dir_;
};

// Number of times `needle` occurs in `hay`.
int CountOccurrences(const std::string& hay, const std::string& needle);

// The lines of a text, without their newlines.
std::vector<std::string> Lines(const std::string& text);
// The numbers written on a line of text.
std::vector<double> Numbers(const std::string& line);
// examples/dune.txt of the source tree: 20 sampling units by 30 species.
std::vector<std::vector<double>> DuneTable();
