#include "host/robot/durable_files.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace host::robot {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const int e = errno;
    throw StoreError(what + " " + path + ": " + std::strerror(e), e == ENOSPC || e == EDQUOT);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Close reports a write the file system could only fail at the end.
    int Close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

}  // namespace

void WriteSynced(const std::string& path, const std::string& bytes, unsigned mode) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (fd.get() < 0) {
        Fail("cannot create", path);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            Fail("cannot write", path);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0 || fd.Close() != 0) {
        Fail("cannot write", path);
    }
}

void SyncFolder(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) {
        Fail("cannot sync the folder", folder);
    }
}

void RenameSynced(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        Fail("cannot rename " + from + " to", to);
    }
    const size_t slash = to.rfind('/');
    SyncFolder(slash == std::string::npos ? "." : to.substr(0, slash));
}

void ReplaceFile(const std::string& scratch, const std::string& path, const std::string& bytes) {
    const std::string temporary = scratch + "/replace-" + RandomHex(8);
    try {
        WriteSynced(temporary, bytes);
        RenameSynced(temporary, path);
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw StoreError("cannot read " + path, false);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RandomHex(size_t bytes) {
    std::string raw(bytes, '\0');
    size_t got = 0;
    while (got < bytes) {
        const ssize_t n = ::getrandom(raw.data() + got, bytes - got, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw StoreError("no random bytes to be had", false);
        }
        got += static_cast<size_t>(n);
    }
    static const char* const kHex = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes * 2);
    for (unsigned char c : raw) {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    return hex;
}

}  // namespace host::robot
