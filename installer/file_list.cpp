#include "installer/file_list.hpp"

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
        // scripts and include files; the list is made when the build is set up.
#include "installer/shipped_examples.inc"
    };
    return rows;
}

}  // namespace korvan::installer
