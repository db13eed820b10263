// Replacing a file so that it is never left half written: the new contents go
// to a temporary file in the same folder, which is renamed over the old file
// only after every write, the flush and the close succeeded. On any failure
// the old file (or its absence) stays as it was and the temporary file is
// removed. Used for the session track, its pointer, the preferences and any
// side file that must not be lost to a full disk.
#pragma once
#include <cstdio>
#include <functional>

// Writes the file `path` through `write`, which writes the whole contents to
// the stream it is given and returns false to give up. Returns true when the
// file now holds exactly what was written. A new file gets the permissions
// fopen(path, "w") would give it; a replaced file keeps its own. On failure
// errno tells why (EIO when `write` gave up without a system error).
bool WriteFileAtomically(const char* path, const std::function<bool(FILE*)>& write);
