// PNG output of a window picture through libpng.
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <sys/stat.h>

#include "plat/graphics.hpp"
#include "plat/written_file.hpp"

namespace korvan::plat {

namespace {
// libpng reports errors by longjmp; nothing with a destructor may live across it.
bool write_rows(std::FILE* file, const Picture& picture)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        const png_byte* row = picture.rgb.data() + row_bytes * static_cast<std::size_t>(y);
        png_write_row(png, const_cast<png_bytep>(row));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}  // namespace

int write_png(const std::string& path, const Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() < static_cast<std::size_t>(picture.width) * picture.height * 3)
        return EINVAL;
    WrittenFile file;
    if (!file.create(path))
        return file.error();
    errno = 0;
    // libpng writes through the stream: a failed write shows in its error
    // indicator, and the buffered rest at the close.
    const bool rows = write_rows(file.stream(), picture);
    const int failed = rows && !std::ferror(file.stream()) ? 0 : (errno != 0 ? errno : EIO);
    const int closed = file.close();
    const int error = failed != 0 ? failed : closed;
    // The unfinished picture goes; a device or pipe named as the file stays.
    struct stat written {};
    if (error != 0 && ::stat(path.c_str(), &written) == 0 && S_ISREG(written.st_mode))
        std::remove(path.c_str());
    return error;
}

}  // namespace korvan::plat
