#include "plat/written_file.hpp"

#include <cerrno>
#include <utility>

namespace korvan::plat {

WrittenFile::~WrittenFile()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

WrittenFile::WrittenFile(WrittenFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), error_(std::exchange(other.error_, 0))
{
}

WrittenFile& WrittenFile::operator=(WrittenFile&& other) noexcept
{
    if (this != &other) {
        if (file_ != nullptr)
            std::fclose(file_);
        file_ = std::exchange(other.file_, nullptr);
        error_ = std::exchange(other.error_, 0);
    }
    return *this;
}

void WrittenFile::fail()
{
    // The first failure is the reason; some failures leave errno unset.
    if (error_ == 0)
        error_ = errno != 0 ? errno : EIO;
}

bool WrittenFile::create(const std::string& path, const char* mode)
{
    if (file_ != nullptr)
        std::fclose(file_);
    error_ = 0;
    errno = 0;
    file_ = std::fopen(path.c_str(), mode);
    if (file_ == nullptr)
        fail();
    return file_ != nullptr;
}

bool WrittenFile::write(const void* bytes, std::size_t n)
{
    if (file_ == nullptr || error_ != 0)
        return false;
    errno = 0;
    if (std::fwrite(bytes, 1, n, file_) != n)
        fail();
    return error_ == 0;
}

int WrittenFile::close()
{
    if (file_ == nullptr)
        return error_;
    std::FILE* file = std::exchange(file_, nullptr);
    // Formatted output through stream() leaves its failures in the error
    // flag; the close, writing the same buffer again, usually tells why.
    const bool stream_failed = std::ferror(file) != 0;
    errno = 0;
    if (std::fclose(file) != 0)
        fail();
    if (stream_failed)
        fail();
    return error_;
}

}  // namespace korvan::plat
