#include "installer/file_copy.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace korvan::installer {

namespace {
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and says whether everything written reached the file.
    bool close_checked()
    {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

bool write_all(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool copy_bytes(int from, int to)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!write_all(to, buffer, static_cast<std::size_t>(n)))
            return false;
    }
}
}  // namespace

CopyResult copy_file(const std::string& source, const std::string& destination)
{
    // Not blocking: a pipe of either name must not hang the copy.
    FileDescriptor in(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat from {};
    if (in.get() < 0 || fstat(in.get(), &from) != 0 || !S_ISREG(from.st_mode))
        return CopyResult::cannot_open;
    // Truncating the destination would destroy a source that is the same file.
    struct stat to {};
    if (stat(destination.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return CopyResult::copied;
    const mode_t mode = from.st_mode & 0777;
    FileDescriptor out(open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, mode));
    // Only a plain file is made or replaced (a device or pipe of that name is
    // neither written nor changed).
    struct stat made {};
    if (out.get() < 0 || fstat(out.get(), &made) != 0 || !S_ISREG(made.st_mode))
        return CopyResult::cannot_create;
    const bool written = copy_bytes(in.get(), out.get()) && fchmod(out.get(), mode) == 0;
    if (!out.close_checked() || !written) {
        unlink(destination.c_str());
        return CopyResult::cannot_write;
    }
    return CopyResult::copied;
}

}  // namespace korvan::installer
