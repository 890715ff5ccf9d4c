#include "plot/win/dump_header.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvan::win {

std::string dump_header(std::string_view kind, const std::array<long, 9>& n)
{
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%5ld %5ld %5ld %5ld %5ld %5ld %5ld %5ld %5ld", n[0], n[1], n[2], n[3],
                  n[4], n[5], n[6], n[7], n[8]);
    std::string header = "!Bitmap KORVAN " + std::string(kind.substr(0, 4));
    header.resize(20, ' ');
    header += numbers;
    header.resize(dump_header_size, ' ');
    return header;
}

bool dump_header_numbers(const char* header, std::array<long, 9>& numbers)
{
    char text[dump_header_size - 20 + 1];
    std::memcpy(text, header + 20, dump_header_size - 20);
    text[dump_header_size - 20] = '\0';
    const char* p = text;
    for (long& v : numbers) {
        while (*p == ' ')
            ++p;
        char* end = nullptr;
        v = std::strtol(p, &end, 10);
        if (end == p)
            return false;
        p = end;
    }
    return true;
}

}  // namespace korvan::win
