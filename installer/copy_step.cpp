#include "installer/copy_step.hpp"

#include <sys/stat.h>

#include "installer/copy_progress.hpp"
#include "installer/file_copy.hpp"
#include "plat/console.hpp"
#include "plat/paths.hpp"

namespace korvan::installer {

namespace {
// The size of a distribution file; a missing file counts nothing.
std::uint64_t file_size(const char* name)
{
    struct stat info {};
    return stat(name, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}
}  // namespace

int copy_files(const std::vector<FileRow>& rows, const std::string& dir, CopyDisplay& display)
{
    std::vector<std::uint64_t> sizes;
    for (const FileRow& row : rows)
        sizes.push_back(file_size(row.source.c_str()));
    const std::vector<int> percentages = progress_percentages(sizes);
    int failures = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string destination = plat::join_path(dir, rows[i].destination);
        display.show(percentages[i], rows[i].source, destination);
        switch (copy_file(rows[i].source, destination)) {
        case CopyResult::copied:
            continue;
        case CopyResult::cannot_open:
            plat::console().message_box("Setup", std::string("Cannot open file ") + rows[i].source);
            break;
        case CopyResult::cannot_create:
            plat::console().message_box("Setup", "Cannot create file " + destination);
            break;
        case CopyResult::cannot_write:
            plat::console().message_box("Setup", "Cannot write file " + destination);
            break;
        }
        ++failures;
    }
    display.finish();
    return failures;
}

}  // namespace korvan::installer
