// Opening a file the program reads (a picture, a sound, a recording) without
// trusting what kind of file it is. A path may name a FIFO (open() would wait
// for a writer for ever), a device (/dev/zero never ends) or a file far larger
// than any the program writes: each of these is refused with a reason.
#pragma once

#include <string>

namespace forms {

struct OpenRefusal {
  bool missing = false;  // no such file (a reason of its own: "not found")
  std::string why;       // e.g. "is a FIFO, not a regular file"
};

// The whole content of a regular file of at most `limit` bytes: opened
// without blocking and checked on the opened descriptor, so that what is read
// is what was checked, and read no further than the limit if it grows.
// False, and why not, for anything else.
bool readWholeFile(const std::string& path, long long limit, std::string& out, OpenRefusal& refusal);

std::string megabytes(long long bytes);  // "200.0"

}  // namespace forms
