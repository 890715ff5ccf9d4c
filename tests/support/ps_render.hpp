// Renders PostScript files with Ghostscript into RGB pictures and measures
// them: for tests that check plots by image statistics.
#pragma once

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace korvan::test {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int y) const
    {
        return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3];
    }
    // Pixels in the box (x0, y0 inclusive, x1, y1 exclusive) for which the test holds.
    template <class Test>
    long count(int x0, int y0, int x1, int y1, Test&& test) const
    {
        long n = 0;
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
                n += test(at(x, y)) ? 1 : 0;
        return n;
    }
};

inline bool saturated(const unsigned char* p)
{
    int hi = std::max({p[0], p[1], p[2]});
    int lo = std::min({p[0], p[1], p[2]});
    return hi - lo > 100;
}
inline bool reddish(const unsigned char* p) { return p[0] > 180 && p[1] < 120 && p[2] < 120; }
inline bool bluish(const unsigned char* p) { return p[2] > 180 && p[0] < 120; }
inline bool blackish(const unsigned char* p) { return p[0] + p[1] + p[2] < 150; }

// Reads a PNG file as 8-bit RGB into any picture with width, height and rgb.
template <class Picture>
bool read_rgb_png(const std::string& name, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, name.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    bool ok = png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

inline bool ghostscript_available() { return std::system("gs --version > /dev/null 2>&1") == 0; }

// Renders the first page of a PostScript file at `dpi` on A4 paper into
// `png`; returns Ghostscript's messages, ok when it ended without error.
inline std::string render_postscript(const std::string& file, const std::string& png, int dpi, bool& ok)
{
    std::string command = "gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=png16m -dFirstPage=1 -dLastPage=1 -r" +
                          std::to_string(dpi) + " -sPAPERSIZE=a4 -sOutputFile=" + png + " " + file + " 2>&1";
    std::string messages;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ok = false;
        return "popen failed";
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        messages += buffer;
    int status = ::pclose(pipe);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && messages.find("Error") == std::string::npos;
    return messages;
}

// Copies a file to the directory named by KORVAN_KEEP_PICTURES, if set, for a
// look at it after the test.
inline void keep_picture(const std::string& file, const std::string& name)
{
    const char* dir = std::getenv("KORVAN_KEEP_PICTURES");
    if (dir == nullptr || *dir == 0)
        return;
    std::string command = "cp " + file + " " + std::string(dir) + "/" + name + " 2>/dev/null";
    [[maybe_unused]] int ignored = std::system(command.c_str());
}

}  // namespace korvan::test
