#include "interp/data_file.hpp"

#include <cctype>
#include <cstdio>

#include "interp/command_line.hpp"
#include "interp/input_stack.hpp"
#include "plat/host.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {
struct DataFileState {
    std::FILE* file = nullptr;
    std::string path;
    bool opened_at_startup = false;
};

DataFileState& state()
{
    static DataFileState s;
    return s;
}

constexpr std::size_t data_line_limit = 511;
}  // namespace

bool open_startup_data_file(std::string_view name)
{
    close_data_file();
    std::string path = add_extension(name, ".kdf");
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        if (auto dir = plat::get_env("KFL_DATA")) {
            path = *dir + "/" + add_extension(name, ".kdf");
            file = std::fopen(path.c_str(), "r");
        }
    }
    if (file == nullptr) {
        win::print(" >>>> Open error in file " + path + "\n");
        return false;
    }
    std::string first;
    read_record(file, data_line_limit, first);
    std::string upper;
    for (char c : first.substr(0, 8))
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (upper != "%KFL-ASC") {
        win::print(" >>>> Not allowed file format in " + path + "\n");
        std::fclose(file);
        return false;
    }
    state().file = file;
    state().path = path;
    state().opened_at_startup = true;
    return true;
}

void close_data_file()
{
    if (state().file != nullptr)
        std::fclose(state().file);
    state() = DataFileState{};
}

}  // namespace korvan::kfl
