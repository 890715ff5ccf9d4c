#include <cstdio>

#include "installer/setup_screens.hpp"
#include "plat/answer_line.hpp"

namespace korvan::installer {

namespace {
class TerminalCopyDisplay final : public CopyDisplay {
public:
    explicit TerminalCopyDisplay(std::FILE* out) : out_(out) {}

    void show(int percent, const std::string& from, const std::string& to) override
    {
        std::fprintf(out_, "%3d%%  %s -> %s\n", percent, from.c_str(), to.c_str());
        std::fflush(out_);
    }

    void finish() override {}

private:
    std::FILE* out_;
};

class TerminalScreens final : public SetupScreens {
public:
    TerminalScreens(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

    std::optional<std::string> ask_directory(const std::string& preset) override
    {
        std::string answer;
        if (!plat::read_answer_line(in_, out_, "Installation directory: [" + preset + "] ", answer))
            return std::nullopt;
        if (answer.find_first_not_of(" \t") == std::string::npos)
            return preset;
        return answer;
    }

    std::unique_ptr<CopyDisplay> open_copy_display() override
    {
        std::fputs("Copy\n", out_);
        return std::make_unique<TerminalCopyDisplay>(out_);
    }

private:
    std::FILE* in_;
    std::FILE* out_;
};
}  // namespace

std::unique_ptr<SetupScreens> make_terminal_screens(std::FILE* in, std::FILE* out)
{
    return std::make_unique<TerminalScreens>(in, out);
}

}  // namespace korvan::installer
