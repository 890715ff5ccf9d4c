// The CGM writer (device 211).
//
// A plot point (x, y) becomes VDC (s (x + o), s (H - y)) shifted by -32767,
// s = 2 x scaling factor (two VDC units of 0.05 mm per plot unit), o the page
// offset of the strip and H the page height; in page mode 1 (s (y + o), s x).
// Lines are collected into POLYLINE elements of up to 50 points.
#include "plot/kernel/cgm.hpp"

#include <array>
#include <cmath>
#include <cstddef>

#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/line_fill.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr unsigned char header_bytes[] = {
    // BEGIN METAFILE, empty name.
    0x00, 0x21, 0x00, 0x00,
    // METAFILE VERSION 1.
    0x10, 0x22, 0x00, 0x01,
    // METAFILE DESCRIPTION, long form: a string of 39 characters.
    0x10, 0x5F, 0x00, 0x28, '\'', 'C', 'G', 'M', ' ', 'B', 'I', 'N', 'A', 'R', 'Y', ' ', 'E', 'N', 'C', 'O', 'D',
    'I', 'N', 'G', ' ', 'V', 'R', 'T', 'A', ' ', '1', '.', '0', ' ', '0', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
    // METAFILE ELEMENT LIST.
    0x11, 0x6E, 0x00, 0x03, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01, 0x00, 0x0C, 0x00, 0x02, 0x00, 0x01,
    // METAFILE DEFAULTS REPLACEMENT holding VDC EXTENT (-32767, -32767) to (32767, 32767).
    0x11, 0x8A, 0x20, 0xC8, 0x80, 0x01, 0x80, 0x01, 0x7F, 0xFF, 0x7F, 0xFF,
    // BEGIN PICTURE, empty name.
    0x00, 0x61, 0x00, 0x00,
    // VDC EXTENT.
    0x20, 0xC8, 0x80, 0x01, 0x80, 0x01, 0x7F, 0xFF, 0x7F, 0xFF,
    // SCALING MODE metric, 0.05 mm per VDC unit (32-bit floating point).
    0x20, 0x26, 0x00, 0x01, 0x3D, 0x4C, 0xCC, 0xC8,
    // BEGIN PICTURE BODY.
    0x00, 0x80,
};
static_assert(sizeof header_bytes == 104);

// END PICTURE, END METAFILE.
constexpr unsigned char end_bytes[] = {0x00, 0xA0, 0x00, 0x40};

// The element header word of a short-form element.
constexpr std::uint16_t element_word(int element_class, int id, int length)
{
    return static_cast<std::uint16_t>((element_class << 12) | (id << 5) | length);
}

void put_word(unsigned char* at, int value)
{
    auto word = static_cast<std::uint16_t>(value);
    at[0] = static_cast<unsigned char>(word >> 8);
    at[1] = static_cast<unsigned char>(word & 0xFF);
}

void append_bytes(const unsigned char* bytes, std::size_t n)
{
    state().out.append(reinterpret_cast<const char*>(bytes), n);
}

class CgmDevice final : public Device {
public:
    void open() override
    {
        PlotState& s = state();
        scale_ = 2.0 * s.scaling_factor;
        s.device_scale = scale_;
        s.cgm_page_offset = 0.0f;
        portrait_ = s.page_mode == 1;
        height_ = s.page_height;
        count_ = 0;
        has_last_ = false;
        append_bytes(header_bytes, sizeof header_bytes);
    }

    void point(double x, double y, bool draw) override
    {
        Vdc p = vdc(x, y);
        if (!draw) {
            write_polyline();
            line_[0] = p;
            count_ = 1;
        } else if (!has_last_) {
            // A draw before any point only starts the line.
            line_[0] = p;
            count_ = 1;
        } else {
            if (count_ == 0) {
                line_[0] = last_;
                count_ = 1;
            } else if (count_ == cgm_polyline_limit) {
                // A full element is written and the line goes on from its last point.
                write_polyline();
                line_[0] = last_;
                count_ = 1;
            }
            line_[static_cast<std::size_t>(count_++)] = p;
        }
        last_ = p;
        has_last_ = true;
    }

    void colour(int index) override
    {
        if (index == state().current_colour)
            return;
        write_polyline();
        const std::uint16_t head = element_word(cgm_class_attribute, cgm_id_line_colour, 1);
        unsigned char bytes[4];
        put_word(bytes, head);
        // The index's low byte and, as padding, its high byte.
        bytes[2] = static_cast<unsigned char>(index & 0xFF);
        bytes[3] = static_cast<unsigned char>((index >> 8) & 0xFF);
        append_bytes(bytes, sizeof bytes);
    }

    // The file has no area element here: rectangles are filled with lines.
    void fill_rect(double x, double y, double w, double h, int index) override
    {
        fill_rect_with_lines(x, y, w, h, index);
    }

    void new_page() override
    {
        PlotState& s = state();
        double extent = portrait_ ? s.page_height : s.page_width;
        double offset = static_cast<double>(s.cgm_page_offset) + extent + cgm_page_gap;
        // The next page must lie wholly inside the VDC space; a page reaching
        // beyond it would wrap around onto the first pages.
        if (scale_ * (offset + extent) > cgm_vdc_span) {
            warning(39);
            return;
        }
        s.cgm_page_offset = static_cast<float>(offset);
    }

    void flush() override { write_polyline(); }

    void close() override
    {
        write_polyline();
        append_bytes(end_bytes, sizeof end_bytes);
    }

private:
    struct Vdc {
        int x;
        int y;
    };

    Vdc vdc(double x, double y) const
    {
        double o = state().cgm_page_offset;
        if (portrait_)
            return {cgm_vdc(scale_ * (y + o)), cgm_vdc(scale_ * x)};
        return {cgm_vdc(scale_ * (x + o)), cgm_vdc(scale_ * (height_ - y))};
    }

    // POLYLINE in long form: 40 3F, the parameter length, then x and y of every point.
    void write_polyline()
    {
        if (count_ >= 2) {
            std::array<unsigned char, 4 + 4 * cgm_polyline_limit> bytes{};
            put_word(bytes.data(), element_word(cgm_class_primitive, cgm_id_polyline, cgm_long_form));
            put_word(bytes.data() + 2, 4 * count_);
            unsigned char* at = bytes.data() + 4;
            for (int i = 0; i < count_; ++i, at += 4) {
                put_word(at, line_[static_cast<std::size_t>(i)].x);
                put_word(at + 2, line_[static_cast<std::size_t>(i)].y);
            }
            append_bytes(bytes.data(), static_cast<std::size_t>(at - bytes.data()));
        }
        // A lone point draws nothing; it stays the start of a following draw.
        count_ = 0;
    }

    double scale_ = 2.0;
    bool portrait_ = false;
    double height_ = 0.0;
    std::array<Vdc, cgm_polyline_limit> line_{};
    int count_ = 0;
    Vdc last_{0, 0};
    bool has_last_ = false;
};

}  // namespace

std::string_view cgm_header()
{
    return {reinterpret_cast<const char*>(header_bytes), sizeof header_bytes};
}

int cgm_vdc(double scaled)
{
    if (!(scaled > 0.0))  // NaN too
        return cgm_vdc_low;
    if (scaled >= cgm_vdc_span)
        return cgm_vdc_low + cgm_vdc_span;
    return static_cast<int>(std::lround(scaled)) + cgm_vdc_low;
}

std::unique_ptr<Device> make_cgm_device() { return std::make_unique<CgmDevice>(); }

}  // namespace korvan
