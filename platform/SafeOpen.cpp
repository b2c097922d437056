#include "SafeOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace forms {

namespace {

const char* kindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

int refuse(OpenRefusal& out, std::string why, bool missing = false) {
  out = OpenRefusal{missing, std::move(why)};
  return -1;
}

int openRegularFile(const std::string& path, long long limit, long long& size, OpenRefusal& refusal) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer, nor a device for its hardware.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT) return refuse(refusal, "not found", true);
    return refuse(refusal, std::string("could not be opened (") + std::strerror(err) + ")");
  }
  struct stat st {};
  std::string why;
  if (::fstat(fd, &st) != 0) {
    why = std::string("could not be examined (") + std::strerror(errno) + ")";
  } else if (!S_ISREG(st.st_mode)) {
    why = std::string("is ") + kindOf(st.st_mode) + ", not a regular file";
  } else if (st.st_size > limit) {
    why = "is too large (" + megabytes(st.st_size) + " MB; at most " + megabytes(limit) + " MB is read)";
  }
  if (!why.empty()) {
    ::close(fd);
    return refuse(refusal, why);
  }
  size = st.st_size;
  return fd;
}

bool readAll(int fd, long long sizeHint, long long limit, std::string& out, OpenRefusal& refusal) {
  // The file may grow while it is read: never more than the limit, plus one
  // byte to notice that.
  out.resize(static_cast<std::size_t>(sizeHint) + 1);
  std::size_t got = 0;
  while (true) {
    const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      refuse(refusal, std::string("could not be read (") + std::strerror(errno) + ")");
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got == out.size()) {
      if (static_cast<long long>(got) > limit) {
        refuse(refusal, "is too large (it grew past " + megabytes(limit) + " MB)");
        return false;
      }
      out.resize(std::min(out.size() * 2, static_cast<std::size_t>(limit) + 1));
    }
  }
  out.resize(got);
  return true;
}

}  // namespace

std::string megabytes(long long bytes) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return buf;
}

bool readWholeFile(const std::string& path, long long limit, std::string& out, OpenRefusal& refusal) {
  long long size = 0;
  const int fd = openRegularFile(path, limit, size, refusal);
  if (fd < 0) return false;
  const bool read = readAll(fd, size, limit, out, refusal);
  ::close(fd);
  return read;
}

}  // namespace forms
