// Image files of the raster or the current screen window: bitmap dumps
// (RIMAGE writes, WIMAGE reads) and TIFF files (RTIFF writes, WTIFF reads at
// the position of TIFORG, cut to the part of TIFWIN).
#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <string>

#include "plot/kernel/device.hpp"
#include "plot/kernel/images.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/pixel_target.hpp"
#include "plot/kernel/raster_dump.hpp"
#include "plot/kernel/tiff.hpp"
#include "plot/win/screen.hpp"

namespace korvan {

namespace {

// Levels 1-3 and a device with pixels; the target, or none after the warning.
PixelTarget file_routine(const char* routine)
{
    if (level_check(1, 3, routine))
        return {};
    const int code = state().device_code;
    if (code > 100 && code <= 600) {
        warning(40);
        return {};
    }
    PixelTarget target = PixelTarget::of_plot();
    if (target.width() <= 0 || target.height() <= 0) {
        warning(53);
        return {};
    }
    return target;
}

// Screen pixels are reached through pixel access: begun for the call unless
// IMGINI has begun it.
class PixelAccess {
public:
    explicit PixelAccess(const PixelTarget& target) : target_(target)
    {
        own_ = !state().image.pixel_access;
        ok_ = !own_ || target_.begin();
    }
    ~PixelAccess()
    {
        if (own_ && ok_)
            target_.end();
    }
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;
    bool ok() const { return ok_; }

private:
    const PixelTarget& target_;
    bool own_ = false;
    bool ok_ = false;
};

// A file that does not open is reported with the system's reason, which the
// failed open left in errno: nothing may run between the open and the report.
void report_dump(DumpStatus status, const std::string& name)
{
    if (status == DumpStatus::cannot_open)
        file_error(name, errno);
    else if (status == DumpStatus::bad_format)
        warning(56);
    else if (status == DumpStatus::no_memory)
        warning(53);
}

void report_screen_dump(int result, const std::string& name)
{
    switch (result) {
    case win::dump_ok: return;
    case win::dump_cannot_open: report_dump(DumpStatus::cannot_open, name); return;
    case win::dump_no_memory: report_dump(DumpStatus::no_memory, name); return;
    default: report_dump(DumpStatus::bad_format, name); return;
    }
}

// The result of writing an image file: 0, or the error number of the failure.
void report_written(int error, const std::string& name)
{
    if (error == ENOMEM)
        warning(53);
    else if (error != 0)
        file_error(name, error);
}

// The part of an image of w x h that WTIFF loads: the TIFWIN window within it.
struct Part {
    int x = 0, y = 0, w = 0, h = 0;
};

Part tiff_part(int w, int h)
{
    const ImageSettings& settings = state().image;
    if (!settings.window)
        return {0, 0, w, h};
    Part p;
    p.x = std::min(settings.window_x, w);
    p.y = std::min(settings.window_y, h);
    p.w = static_cast<int>(std::min<long long>(settings.window_w, w - p.x));
    p.h = static_cast<int>(std::min<long long>(settings.window_h, h - p.y));
    return p;
}

}  // namespace

void rimage(std::string_view file)
{
    const PixelTarget target = file_routine("rimage");
    if (target.none())
        return;
    const std::string name = file_version(file);
    report_written(target.is_screen() ? win::save_bitmap(name) : write_raster_dump(name, *target.raster()), name);
}

void wimage(std::string_view file)
{
    const PixelTarget target = file_routine("wimage");
    if (target.none() || pixels_refused_on_plane())
        return;
    const std::string name(file);
    if (target.is_screen())
        report_screen_dump(win::load_bitmap(name), name);
    else {
        PixelAccess access(target);
        DumpStatus status = read_raster_dump(name, *target.raster());
        if (status == DumpStatus::ok)
            target.loaded_all();
        report_dump(status, name);
    }
}

void rtiff(std::string_view file)
{
    const PixelTarget target = file_routine("rtiff");
    if (target.none())
        return;
    PixelAccess access(target);
    if (!access.ok()) {
        warning(53);
        return;
    }
    const std::string name = file_version(file);
    const int w = target.width();
    report_written(write_tiff(name, w, target.height(), state().colour_table,
                              [&](int y, std::uint8_t* row) { target.read_block(row, 0, y, w, 1); }),
                   name);
}

void wtiff(std::string_view file)
{
    const PixelTarget target = file_routine("wtiff");
    if (target.none() || pixels_refused_on_plane())
        return;
    const std::string name(file);
    TiffReader reader;
    const TiffStatus status = reader.open(name);
    if (status != TiffStatus::ok) {
        if (status == TiffStatus::cannot_open)
            file_error(name, errno);  // the reason of the failed open
        else
            warning(56);
        return;
    }
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(reader.width())]);
    PixelAccess access(target);
    if (!row || !access.ok()) {
        warning(53);
        return;
    }
    PlotState& s = state();
    s.colour_table = reader.colours();
    if (s.device)
        s.device->colour_table_changed();

    const Part part = tiff_part(reader.width(), reader.height());
    for (int j = 0; j < part.h; ++j) {
        const long long y = static_cast<long long>(s.image.origin_y) + j;
        if (y < 0)
            continue;
        if (y >= target.height())
            break;
        errno = 0;
        if (!reader.read_row(part.y + j, row.get())) {
            file_error(name, errno);
            return;
        }
        target.write_block(row.get() + part.x, s.image.origin_x, static_cast<int>(y), part.w, 1);
    }
}

void tiforg(int nx, int ny)
{
    soft_level_check("tiforg");
    ImageSettings& settings = state().image;
    settings.origin_x = nx;
    settings.origin_y = ny;
}

void tifwin(int nx, int ny, int nw, int nh)
{
    soft_level_check("tifwin");
    if (nx < 0 || ny < 0) {
        warning_int(2, std::min(nx, ny));
        return;
    }
    if (nw <= 0 || nh <= 0) {
        warning_int(2, std::min(nw, nh));
        return;
    }
    ImageSettings& settings = state().image;
    settings.window = true;
    settings.window_x = nx;
    settings.window_y = ny;
    settings.window_w = nw;
    settings.window_h = nh;
}

}  // namespace korvan
