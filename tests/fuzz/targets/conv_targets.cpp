// korconv's readers: its command line, and HPGL and PostScript input played
// back through a whole conversion (as the program does).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "conv/converter.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/driver.hpp"
#include "tests/fuzz/fuzz_targets.hpp"

namespace korvan::fuzz {

namespace {

void run_korconv(const std::vector<std::string>& words)
{
    reset_state_for_tests();
    win::reset_for_tests();
    conv::run_korconv(words);
}

// Converts the input, written under `name`, to a metafile.
void convert_input(const std::string& name, Bytes input)
{
    write_file(name, input);
    std::remove("converted.met");
    run_korconv({name, "GKSV", "F=converted.met"});
}

// Small plot files of every kind the command line may name, made once.
struct PlotFiles {
    std::vector<std::pair<std::string, std::string>> files;  // name, bytes
};

std::string contents_of(const std::string& name)
{
    std::string bytes;
    if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

const PlotFiles& plot_files()
{
    static const PlotFiles made = [] {
        fresh_plot_state();
        filmod("DELE");
        metafl("GKSV");
        setfil("plot.met");
        korini();
        pagera();
        korfin();
        run_korconv({"plot.met", "POST", "F=plot.psc"});
        run_korconv({"plot.met", "HPGL", "F=plot.hpg"});
        run_korconv({"plot.met", "CGM", "F=plot.cgm"});
        PlotFiles files;
        for (const char* name : {"plot.met", "plot.psc", "plot.hpg", "plot.cgm"})
            files.files.emplace_back(name, contents_of(name));
        std::FILE* table = std::fopen("table.tab", "w");
        std::fputs("0 0 0\n1 1 1\n0.5 0.5 0.5\n", table);
        std::fclose(table);
        files.files.emplace_back("table.tab", contents_of("table.tab"));
        return files;
    }();
    return made;
}

// Words of the input: blank-separated, at most 16. A word naming a path
// outside the scratch directory is left out, so that no run writes elsewhere.
std::vector<std::string> words_of(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    auto end_word = [&] {
        if (!word.empty() && word.find('/') == std::string::npos && words.size() < 16)
            words.push_back(word);
        word.clear();
    };
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\0')
            end_word();
        else
            word.push_back(c);
    }
    end_word();
    return words;
}

}  // namespace

void fuzz_hpgl(Bytes input) { convert_input("input.hpg", input); }

void fuzz_postscript(Bytes input) { convert_input("input.psc", input); }

void fuzz_korconv_command_line(Bytes input)
{
    const PlotFiles& files = plot_files();
    // Each run starts from the same files: nothing written or deleted before counts.
    for (const auto& entry : std::filesystem::directory_iterator(scratch_dir()))
        std::filesystem::remove_all(entry.path());
    for (const auto& [name, bytes] : files.files)
        write_file(name, Bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    run_korconv(words_of(text_of(input)));
}

}  // namespace korvan::fuzz
