// Replacing a file in one step: the new content goes to a temporary file in
// the same folder, which then takes the file's name, so a reader sees either
// the old file whole or the new one whole, never a part.
#pragma once
#include <string>

// Writes content to path through a temporary file and a rename. Returns false
// (leaving any earlier file at path as it was and no temporary file behind)
// when the content cannot be written completely.
bool WriteFileAtomically(const std::string& path, const std::string& content);
