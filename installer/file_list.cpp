#include "installer/file_list.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>

#include "plat/paths.hpp"

namespace korvan::installer {

const std::vector<FileRow>& file_list()
{
    static const std::vector<FileRow> rows{
        {"bin/kflrun", "win/kflrun"},
        {"bin/korconv", "win/korconv"},
        {"bin/kflwin", "win/kflwin"},
        {"README.md", "win/README.md"},
        {"kfl.win", "kfl.win"},
        // examples/*.kfl and data/*.kdf go to "kfl", where kflrun looks for
        // scripts and include files, the map data files data/bdta*.dat into
        // the directory itself; the list is made when the build is set up.
#include "installer/shipped_examples.inc"
    };
    return rows;
}

namespace {
// A path of the manual: relative, below hlp/ or man/, without "." or ".." parts.
bool is_manual_path(const std::string& path)
{
    if (!path.starts_with("hlp/") && !path.starts_with("man/"))
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}
}  // namespace

std::vector<FileRow> file_list_with_manual(const std::string& list_file)
{
    std::vector<FileRow> rows = file_list();
    std::ifstream list(list_file);
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (is_manual_path(line))
            rows.push_back({line, line});
    }
    return rows;
}

bool create_row_directories(const std::vector<FileRow>& rows, const std::string& dir)
{
    for (const FileRow& row : rows) {
        // Each directory part of the destination, outermost first.
        for (std::size_t slash = row.destination.find('/'); slash != std::string::npos;
             slash = row.destination.find('/', slash + 1)) {
            const std::string path = plat::join_path(dir, row.destination.substr(0, slash));
            struct stat info {};
            if (mkdir(path.c_str(), 0755) != 0 && !(errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)))
                return false;
        }
    }
    return true;
}

}  // namespace korvan::installer
