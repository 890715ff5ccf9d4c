#include "conv/targets.hpp"

#include "plot/kernel/kernel.hpp"

namespace korvan::conv {

namespace {

struct DeviceName {
    const char* name;
    int code;
};

constexpr DeviceName devices[] = {
    {"NONE", -1},  {"CONS", 80},  {"VT34", 103}, {"XWIN", 75},  {"XWI1", 75},  {"XWI2", 76},
    {"XWI3", 77},  {"XWI4", 78},  {"XWI5", 79},  {"GKSV", 201}, {"CGM", 211},  {"KYOC", 301},
    {"HPGL", 401}, {"HPA4", 402}, {"HPA3", 403}, {"HPA2", 404}, {"HPA1", 405}, {"TEKT", 151},
    {"LN03", 161}, {"POST", 501}, {"PSCL", 502}, {"TIFF", 601}, {"IMAG", 602},
    // The paper formats, drawn with cairo.
    {"PDF", 801},  {"SVG", 802},  {"PNG", 803},
};

struct PrinterName {
    const char* name;
    const char* emulation;
};

constexpr PrinterName printers[] = {
    {"HLP1", "HPA4"}, {"HLP2", "HPA3"}, {"KYO1", "KYOC"}, {"PSC1", "POST"}, {"PSC2", "PSCL"},
};

const DeviceName* find_device(std::string_view name)
{
    for (const DeviceName& d : devices)
        if (name == d.name)
            return &d;
    return nullptr;
}

}  // namespace

bool resolve_target(std::string_view device, Target& target, std::string& message)
{
    if (const DeviceName* d = find_device(device)) {
        target = {d->name, d->code, false, d->code > 150};
        return true;
    }
    for (const PrinterName& p : printers) {
        if (device != p.name)
            continue;
        const DeviceName* d = find_device(p.emulation);
        if (d == nullptr) {
            message = std::string(" <<<< The emulation ") + p.emulation + " is not defined!\n";
            return false;
        }
        target = {d->name, d->code, true, false};
        return true;
    }
    message = " <<<< The device " + std::string(device) + " is not defined!\n";
    return false;
}

std::string output_name_for(std::string_view input, int code)
{
    std::size_t slash = input.find_last_of('/');
    std::string_view base = slash == std::string_view::npos ? input : input.substr(slash + 1);
    base = base.substr(0, base.find('.'));
    std::string extension = default_extension(code);
    return std::string(base) + (extension.empty() ? "" : "." + extension);
}

}  // namespace korvan::conv
