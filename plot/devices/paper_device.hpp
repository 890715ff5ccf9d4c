// The paper formats PDF, SVG and PNG: one device draws through a canvas of
// the format. Pages are sized and scaled as PostScript sizes its paper, but a
// landscape page stays a landscape page; the paper is white and the
// foreground black, as PostScript in colour under the reverse screen mode.
#pragma once

#include <memory>
#include <string>

namespace korvan {

class Device;
class PaperCanvas;

inline constexpr int dev_pdf = 801;
inline constexpr int dev_svg = 802;
inline constexpr int dev_png = 803;

inline bool is_paper_device(int code) { return code >= dev_pdf && code <= dev_png; }

std::unique_ptr<Device> make_paper_device(std::unique_ptr<PaperCanvas> canvas);

std::unique_ptr<Device> make_pdf_device();
std::unique_ptr<Device> make_svg_device();
std::unique_ptr<Device> make_png_device();

// The resolution of PNG pages: KORVAN_PNG_DPI (10 to 2400), else 150.
double png_dots_per_inch();

// The name of page n (from 2 on) of a plot whose first page is named first:
// "-n" before the extension (the part from the last dot of the file name).
std::string page_file_name(const std::string& first, int n);

}  // namespace korvan
