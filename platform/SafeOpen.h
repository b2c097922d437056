// Opening a file the program reads (a picture, a sound, a recording) without
// trusting what kind of file it is. A path may name a FIFO (open() would wait
// for a writer for ever), a device (/dev/zero never ends) or a file far larger
// than any the program writes: each of these is refused with a reason.
#pragma once

#include <string>

namespace forms {

struct FileRefusal {
  bool missing = false;  // no such file (a reason of its own: "not found")
  std::string why;       // e.g. "is a FIFO, not a regular file"
};

// Opens a regular file of at most `limit` bytes for reading, without
// blocking, and checks it on the opened descriptor, so that what is read is
// what was checked. Returns the descriptor (the caller closes it) and its
// size, or -1 and why not.
int openRegularFile(const std::string& path, long long limit, long long& size, FileRefusal& refusal);

// Reads what is left of an opened file, at most `limit` bytes; false (and
// why) when it cannot be read or grows past the limit.
bool readAll(int fd, long long sizeHint, long long limit, std::string& out, FileRefusal& refusal);

std::string megabytes(long long bytes);  // "200.0"

}  // namespace forms
