#include "plot/kernel/raster_dump.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "plat/written_file.hpp"
#include "plot/win/dump_header.hpp"

namespace korvan {

namespace {

struct FileCloser {
    std::FILE* file;
    ~FileCloser()
    {
        if (file != nullptr)
            std::fclose(file);
    }
};

long file_size(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

}  // namespace

std::string raster_dump_header(int width, int height, int row_length)
{
    return win::dump_header("VIRT", {width, height, 8, row_length, 8, 32, 0, 1, 0});
}

int write_raster_dump(const std::string& path, const Raster& raster)
{
    plat::WrittenFile file;
    if (!file.create(path))
        return file.error();
    file.write(raster_dump_header(raster.width(), raster.height(), raster.row_length()));
    const auto bytes = raster.bytes();
    if (!bytes.empty())
        file.write(bytes.data(), bytes.size());
    return file.close();
}

int dump_stored_to_index(int v, long b)
{
    if (v == b)
        return 0;
    // Values below the offset are no colours of the screen: they read as 0.
    const long long index = 2 * (static_cast<long long>(v) - std::clamp(b, -1024L, 1024L)) - 1;
    return static_cast<int>(std::clamp(index, 0LL, 255LL));
}

DumpStatus read_raster_dump(const std::string& path, Raster& raster)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return DumpStatus::cannot_open;
    FileCloser closer{file};
    const long size = file_size(file);

    char header[dump_header_size];
    if (std::fread(header, 1, sizeof header, file) != sizeof header || std::memcmp(header, "!Bitmap", 7) != 0)
        return DumpStatus::bad_format;
    std::array<long, 9> v{};
    if (!win::dump_header_numbers(header, v) || v[2] != 8)
        return DumpStatus::bad_format;
    const long file_width = v[0], file_height = v[1], file_row = v[3];
    const bool stored_values = v[7] == 0;
    const long offset = v[8];
    // The sizes of the header are believed only as far as the file holds them.
    if (file_width < 1 || file_height < 1 || file_row < 1 || size < dump_header_size)
        return DumpStatus::bad_format;
    const long rows = std::min<long>(file_height, raster.height());
    if (file_row > (size - dump_header_size) / std::max(rows, 1L))
        return DumpStatus::bad_format;

    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(file_row)]);
    if (!row)
        return DumpStatus::no_memory;
    const int bytes = static_cast<int>(std::min<long>(file_row, raster.row_length()));
    for (int y = 0; y < rows; ++y) {
        if (std::fread(row.get(), 1, static_cast<std::size_t>(file_row), file) != static_cast<std::size_t>(file_row))
            return DumpStatus::bad_format;
        std::uint8_t* target = raster.row(y);
        for (int x = 0; x < bytes; ++x) {
            const int value = row[static_cast<std::size_t>(x)];
            target[x] = static_cast<std::uint8_t>(stored_values ? dump_stored_to_index(value, offset) : value);
        }
    }
    return DumpStatus::ok;
}

}  // namespace korvan
