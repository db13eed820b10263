// Replacing a file in one step: the new content goes to a temporary file in
// the same folder, which then takes the file's name, so a reader sees either
// the old file whole or the new one whole, never a part. A write that fails
// part way (a full disk, a file-size limit) leaves the old file as it was and
// no temporary file behind. Used for the session track, its pointer, the
// preferences and the pictures.
#pragma once
#include <cstdio>
#include <functional>
#include <string>

// Writes content to path through a temporary file and a rename. Returns false
// (leaving any earlier file at path as it was and no temporary file behind)
// when the content cannot be written completely.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// The same for contents written piece by piece: `write` writes them all to
// the stream it is given and returns false to give up. The file is replaced
// only when `write` returned true and every write, the flush and the close
// succeeded. On failure errno tells why (EIO when `write` gave up without a
// system error). A replaced file keeps its permissions; a new one gets those
// fopen(path, "w") would give it.
bool WriteFileAtomically(const std::string& path, const std::function<bool(FILE*)>& write);
