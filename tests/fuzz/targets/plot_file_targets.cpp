// The readers of the library's plot files: GKSVAN and CGM, and INCFIL, which
// puts either into the open plot.
#include <cmath>
#include <cstdio>

#include "plot/kernel/cgm_reader.hpp"
#include "plot/kernel/gksvan_reader.hpp"
#include "plot/kernel/routines.hpp"
#include "tests/fuzz/fuzz_targets.hpp"

namespace korvan::fuzz {

namespace {

// A file in memory; fmemopen refuses an empty buffer, so one is never empty.
struct MemoryFile {
    explicit MemoryFile(Bytes input) : text(text_of(input))
    {
        if (text.empty())
            text.push_back('\n');
        file = fmemopen(text.data(), text.size(), "rb");
        require(file != nullptr, "fmemopen failed");
    }
    ~MemoryFile() { std::fclose(file); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string text;
    std::FILE* file = nullptr;
};

// Metafile points lie in 0..1 (a field holds one digit before the point);
// colours are indices 0..255.
class CheckingGksvanSink final : public GksvanReader::Sink {
public:
    void point(double x, double y, bool) override
    {
        require(x >= 0 && x < 10 && y >= 0 && y < 10, "GKSVAN point out of its field");
    }
    void colour(int index) override { require(index >= 0 && index <= 255, "GKSVAN colour out of range"); }
};

class CheckingCgmSink final : public CgmReader::Sink {
public:
    void point(double x, double y, bool) override
    {
        require(std::isfinite(x) && std::isfinite(y), "CGM point not finite");
    }
    void colour(int index) override { require(index >= 0 && index <= 255, "CGM colour out of range"); }
};

bool is_cgm(Bytes input) { return input.size() >= 2 && input[0] == 0 && (input[1] & 0xE0) == 0x20; }

}  // namespace

void fuzz_gksvan(Bytes input)
{
    MemoryFile in(input);
    GksvanReader reader(in.file);
    double width = 0;
    double height = 0;
    if (reader.read_header(width, height))
        require(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height), "bad GKSVAN page");
    CheckingGksvanSink sink;
    reader.play(sink);
}

void fuzz_cgm(Bytes input)
{
    MemoryFile in(input);
    CgmReader reader(in.file);
    CgmReader::Extent extent;
    reader.scan(extent);
    require(extent.page_width() > 0 && extent.page_height() > 0, "CGM page without size");
    CheckingCgmSink sink;
    reader.play(extent.max_y, sink);
}

void fuzz_incfil(Bytes input)
{
    // A truncated CGM file ends the program by design; the CGM target reads those.
    if (is_cgm(input))
        return;
    write_file("included.met", input);
    fresh_plot_state();
    filmod("DELE");
    metafl("GKSV");
    setfil("incfil.met");
    korini();
    incfil("included.met");
    korfin();
}

}  // namespace korvan::fuzz
