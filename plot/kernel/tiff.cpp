#include "plot/kernel/tiff.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <new>

#include "plat/written_file.hpp"

namespace korvan {

namespace {

constexpr int ifd_entries = 11;
constexpr std::uint32_t ifd_offset = 8;
constexpr std::uint32_t tables_offset = ifd_offset + 2 + ifd_entries * 12 + 4;  // 146
constexpr std::uint32_t colour_map_bytes = 768 * 2;
// Longest image side read.
constexpr std::uint32_t max_side = 1u << 24;

constexpr std::uint16_t type_short = 3;
constexpr std::uint16_t type_long = 4;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One IFD entry whose value field holds a single value (a SHORT in its first
// two bytes) or an offset.
void entry(std::vector<std::uint8_t>& out, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
           std::uint32_t value)
{
    put16(out, tag);
    put16(out, type);
    put32(out, count);
    if (type == type_short && count == 1) {
        put16(out, value);
        put16(out, 0);
    } else {
        put32(out, value);
    }
}

std::uint16_t get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(get16(p)) | (static_cast<std::uint32_t>(get16(p + 2)) << 16);
}

}  // namespace

std::vector<std::uint8_t> tiff_head(int width, int height, const ColourTable& colours)
{
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    const std::uint32_t counts_offset = tables_offset + 4 * h;
    const std::uint32_t map_offset = tables_offset + 6 * h;
    const std::uint32_t first_row = map_offset + colour_map_bytes;

    std::vector<std::uint8_t> out;
    out.reserve(first_row);
    out.push_back('I');
    out.push_back('I');
    put16(out, 42);
    put32(out, ifd_offset);
    put16(out, ifd_entries);
    entry(out, 254, type_long, 1, 0);
    entry(out, 256, type_short, 1, w);
    entry(out, 257, type_short, 1, h);
    entry(out, 258, type_short, 1, 8);
    entry(out, 259, type_short, 1, 1);
    entry(out, 262, type_short, 1, 3);
    // A single strip offset, and up to two byte counts, are the entry's value.
    entry(out, 273, type_long, h, h == 1 ? first_row : tables_offset);
    entry(out, 277, type_short, 1, 1);
    entry(out, 278, type_short, 1, 1);
    if (h <= 2) {
        put16(out, 279);
        put16(out, type_short);
        put32(out, h);
        put16(out, w);
        put16(out, h == 2 ? w : 0);
    } else {
        entry(out, 279, type_short, h, counts_offset);
    }
    entry(out, 320, type_short, 768, map_offset);
    put32(out, 0);
    for (std::uint32_t y = 0; y < h; ++y)
        put32(out, first_row + y * w);
    for (std::uint32_t y = 0; y < h; ++y)
        put16(out, w);
    for (int shift : {16, 8, 0})
        for (std::uint32_t rgb : colours)
            put16(out, ((rgb >> shift) & 0xFF) * 257);
    return out;
}

int write_tiff(const std::string& path, int width, int height, const ColourTable& colours,
               const std::function<void(int y, std::uint8_t* row)>& read_row)
{
    const auto row_bytes = static_cast<std::size_t>(std::max(width, 1));
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[row_bytes]());
    if (!row)
        return ENOMEM;
    plat::WrittenFile file;
    if (!file.create(path))
        return file.error();
    const std::vector<std::uint8_t> head = tiff_head(width, height, colours);
    bool ok = file.write(head.data(), head.size());
    for (int y = 0; ok && y < height; ++y) {
        read_row(y, row.get());
        ok = file.write(row.get(), static_cast<std::size_t>(width));
    }
    return file.close();
}

// --- Reading -----------------------------------------------------------------

TiffReader::~TiffReader()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

namespace {

struct Entry {
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::uint8_t value[4] = {};
    bool present = false;
};

std::uint32_t type_size(std::uint16_t type) { return type == type_short ? 2 : type == type_long ? 4 : 0; }

// Reads length bytes at offset; false when they are not all in the file.
bool read_at(std::FILE* file, long size, std::uint32_t offset, std::uint32_t length, std::uint8_t* out)
{
    if (static_cast<unsigned long long>(offset) + length > static_cast<unsigned long long>(size))
        return false;
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(out, 1, length, file) == length;
}

// The values of a SHORT or LONG entry, from the entry itself or from the file.
bool entry_values(std::FILE* file, long size, const Entry& e, std::vector<std::uint32_t>& values)
{
    const std::uint32_t unit = type_size(e.type);
    if (unit == 0 || e.count == 0 || e.count > static_cast<std::uint32_t>(size))
        return false;
    const std::uint32_t length = unit * e.count;
    std::vector<std::uint8_t> bytes(length);
    if (length <= 4)
        std::copy_n(e.value, length, bytes.begin());
    else if (!read_at(file, size, get32(e.value), length, bytes.data()))
        return false;
    values.resize(e.count);
    for (std::uint32_t i = 0; i < e.count; ++i)
        values[i] = unit == 2 ? get16(&bytes[i * 2]) : get32(&bytes[i * 4]);
    return true;
}

// The single value of an entry; fallback when the entry is absent.
bool single_value(std::FILE* file, long size, const Entry& e, std::uint32_t fallback, std::uint32_t& value)
{
    if (!e.present) {
        value = fallback;
        return true;
    }
    std::vector<std::uint32_t> values;
    if (e.count != 1 || !entry_values(file, size, e, values))
        return false;
    value = values[0];
    return true;
}

}  // namespace

TiffStatus TiffReader::open(const std::string& path)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr)
        return TiffStatus::cannot_open;
    if (std::fseek(file_, 0, SEEK_END) != 0)
        return TiffStatus::bad_format;
    const long size = std::ftell(file_);
    if (size < 8)
        return TiffStatus::bad_format;

    std::uint8_t head[8];
    if (!read_at(file_, size, 0, 8, head) || head[0] != 'I' || head[1] != 'I' || get16(head + 2) != 42)
        return TiffStatus::bad_format;
    std::uint8_t ifd[2 + ifd_entries * 12 + 4];
    if (!read_at(file_, size, get32(head + 4), sizeof ifd, ifd) || get16(ifd) != ifd_entries ||
        get32(ifd + 2 + ifd_entries * 12) != 0)
        return TiffStatus::bad_format;

    Entry width, height, bits, compression, photometric, offsets, samples, rows_per_strip, counts, colour_map;
    for (int i = 0; i < ifd_entries; ++i) {
        const std::uint8_t* p = ifd + 2 + i * 12;
        Entry* e = nullptr;
        switch (get16(p)) {
        case 256: e = &width; break;
        case 257: e = &height; break;
        case 258: e = &bits; break;
        case 259: e = &compression; break;
        case 262: e = &photometric; break;
        case 273: e = &offsets; break;
        case 277: e = &samples; break;
        case 278: e = &rows_per_strip; break;
        case 279: e = &counts; break;
        case 320: e = &colour_map; break;
        default: continue;
        }
        e->present = true;
        e->type = get16(p + 2);
        e->count = get32(p + 4);
        std::copy_n(p + 8, 4, e->value);
    }

    std::uint32_t w = 0, h = 0, b = 0, c = 0, ph = 0, spp = 0, rps = 0;
    if (!width.present || !height.present || !offsets.present || !colour_map.present ||
        !single_value(file_, size, width, 0, w) || !single_value(file_, size, height, 0, h) ||
        !single_value(file_, size, bits, 1, b) || !single_value(file_, size, compression, 1, c) ||
        !single_value(file_, size, photometric, 3, ph) || !single_value(file_, size, samples, 1, spp) ||
        !single_value(file_, size, rows_per_strip, h, rps))
        return TiffStatus::bad_format;
    // An 8-bit palette image, uncompressed, no larger than the file.
    if (w == 0 || h == 0 || w > max_side || h > max_side || b != 8 || c != 1 || ph != 3 || spp != 1 ||
        static_cast<unsigned long long>(w) * h > static_cast<unsigned long long>(size))
        return TiffStatus::bad_format;
    rps = std::clamp<std::uint32_t>(rps, 1, h);
    const std::uint32_t strips = (h + rps - 1) / rps;

    std::vector<std::uint32_t> map;
    if (colour_map.type != type_short || colour_map.count != 768 || !entry_values(file_, size, colour_map, map))
        return TiffStatus::bad_format;
    std::vector<std::uint32_t> strip_counts;
    if (!entry_values(file_, size, offsets, strip_offsets_) || strip_offsets_.size() != strips)
        return TiffStatus::bad_format;
    if (counts.present && (!entry_values(file_, size, counts, strip_counts) || strip_counts.size() != strips))
        return TiffStatus::bad_format;
    for (std::uint32_t i = 0; i < strips; ++i) {
        const std::uint32_t rows = std::min(rps, h - i * rps);
        const unsigned long long bytes = static_cast<unsigned long long>(rows) * w;
        if ((counts.present && strip_counts[i] < bytes) ||
            strip_offsets_[i] + bytes > static_cast<unsigned long long>(size))
            return TiffStatus::bad_format;
    }

    for (int i = 0; i < 256; ++i) {
        std::uint32_t rgb = 0;
        for (int k = 0; k < 3; ++k)
            rgb = (rgb << 8) | ((map[static_cast<std::size_t>(k * 256 + i)] * 255 + 32767) / 65535);
        colours_[static_cast<std::size_t>(i)] = rgb;
    }
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    rows_per_strip_ = static_cast<int>(rps);
    return TiffStatus::ok;
}

bool TiffReader::read_row(int y, std::uint8_t* row)
{
    if (file_ == nullptr || y < 0 || y >= height_)
        return false;
    const unsigned long long offset = strip_offsets_[static_cast<std::size_t>(y / rows_per_strip_)] +
                                      static_cast<unsigned long long>(y % rows_per_strip_) * width_;
    return offset <= static_cast<unsigned long long>(LONG_MAX) &&
           std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(row, 1, static_cast<std::size_t>(width_), file_) == static_cast<std::size_t>(width_);
}

}  // namespace korvan
