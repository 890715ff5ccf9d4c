// Binary files: OPENFL, CLOSFL, READFL, WRITFL, SKIPFL, TELLFL, POSIFL.
#include "plot/routines/binary_files.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <string>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr int mode_read = 0;
constexpr int mode_write = 1;
constexpr int mode_append = 2;
constexpr int mode_update = 3;

constexpr int transfer_read = 1;
constexpr int transfer_write = 2;

// Warnings with a text of their own, numbered above the table.
constexpr int warning_unit_open = 121;
constexpr int warning_unit_not_open = 122;
constexpr int warning_unit_not_readable = 123;
constexpr int warning_unit_not_writable = 124;

void unit_warning(int number, const char* format, int unit)
{
    char text[64];
    std::snprintf(text, sizeof text, format, unit);
    set_warning_text(text);
    warning(number);
}

BinaryFile* find_unit(int unit)
{
    for (BinaryFile& f : state().binary_files)
        if (f.stream && f.unit == unit)
            return &f;
    return nullptr;
}

// The open file of a unit; nullptr after the warning for a bad or closed unit.
BinaryFile* open_unit(int unit)
{
    if (range_check(unit, 0, binary_unit_limit))
        return nullptr;
    BinaryFile* f = find_unit(unit);
    if (f == nullptr)
        unit_warning(warning_unit_not_open, "Unit %d is not open", unit);
    return f;
}

// C streams need a positioning call between a read and a write in update mode.
void switch_transfer(BinaryFile& f, int transfer)
{
    if (f.last != 0 && f.last != transfer)
        std::fseek(f.stream.get(), 0, SEEK_CUR);
    f.last = transfer;
}

// A position as the int result; -1 when it does not fit.
int position_result(long long at)
{
    if (at < 0 || at > INT_MAX)
        return -1;
    return static_cast<int>(at);
}

int seek(BinaryFile& f, long long at)
{
    if (at < 0 || ::fseeko(f.stream.get(), static_cast<off_t>(at), SEEK_SET) != 0)
        return -1;
    f.last = 0;
    return position_result(at);
}

}  // namespace

int openfl(std::string_view name, int nlu, int irw)
{
    if (level_check(0, 3, "openfl"))
        return -1;
    if (range_check(nlu, 0, binary_unit_limit) || range_check(irw, mode_read, mode_update))
        return -1;
    if (find_unit(nlu) != nullptr) {
        unit_warning(warning_unit_open, "Unit %d is already open", nlu);
        return -1;
    }
    BinaryFile* free_entry = nullptr;
    for (BinaryFile& f : state().binary_files) {
        if (!f.stream) {
            free_entry = &f;
            break;
        }
    }
    if (free_entry == nullptr) {
        set_warning_text("Too many open binary files");
        warning(125);
        return -1;
    }
    static constexpr const char* modes[] = {"rb", "wb", "ab", "r+b"};
    std::string file(name);
    errno = file.empty() ? ENOENT : 0;
    std::FILE* stream = file.empty() ? nullptr : std::fopen(file.c_str(), modes[irw]);
    if (stream == nullptr) {
        file_error(name, errno);
        return -1;
    }
    free_entry->stream.reset(stream);
    free_entry->name = file;
    free_entry->unit = nlu;
    free_entry->mode = irw;
    free_entry->last = 0;
    return 0;
}

int closfl(int nlu)
{
    if (level_check(0, 3, "closfl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    // Written data still in the buffer reaches the disk here, or fails to.
    errno = 0;
    bool closed = std::fclose(f->stream.release()) == 0;
    if (!closed)
        file_error(f->name, errno);
    f->unit = -1;
    f->last = 0;
    return closed ? 0 : -1;
}

int readfl(int nlu, std::span<std::byte> bytes, int n)
{
    if (level_check(0, 3, "readfl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    if (f->mode != mode_read && f->mode != mode_update) {
        unit_warning(warning_unit_not_readable, "Unit %d is not open for reading", nlu);
        return -1;
    }
    if (range_check(n, 0, static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX))))
        return -1;
    switch_transfer(*f, transfer_read);
    std::size_t got = std::fread(bytes.data(), 1, static_cast<std::size_t>(n), f->stream.get());
    if (got < static_cast<std::size_t>(n) && std::ferror(f->stream.get())) {
        std::clearerr(f->stream.get());
        if (got == 0)
            return -1;
    }
    return static_cast<int>(got);
}

int writfl(int nlu, std::span<const std::byte> bytes, int n)
{
    if (level_check(0, 3, "writfl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    if (f->mode == mode_read) {
        unit_warning(warning_unit_not_writable, "Unit %d is not open for writing", nlu);
        return -1;
    }
    if (range_check(n, 0, static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX))))
        return -1;
    switch_transfer(*f, transfer_write);
    errno = 0;
    std::size_t put = std::fwrite(bytes.data(), 1, static_cast<std::size_t>(n), f->stream.get());
    if (put < static_cast<std::size_t>(n)) {
        file_error(f->name, errno);
        std::clearerr(f->stream.get());
        if (put == 0 && n > 0)
            return -1;
    }
    return static_cast<int>(put);
}

int skipfl(int nlu, int n)
{
    if (level_check(0, 3, "skipfl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    long long at = ::ftello(f->stream.get());
    if (at < 0)
        return -1;
    return seek(*f, at + n);
}

int tellfl(int nlu)
{
    if (level_check(0, 3, "tellfl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    return position_result(::ftello(f->stream.get()));
}

int posifl(int nlu, int npos)
{
    if (level_check(0, 3, "posifl"))
        return -1;
    BinaryFile* f = open_unit(nlu);
    if (f == nullptr)
        return -1;
    if (range_check(npos, 0, -1))
        return -1;
    return seek(*f, npos) < 0 ? -1 : 0;
}

}  // namespace korvan
