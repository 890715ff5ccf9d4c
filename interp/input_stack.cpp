#include "interp/input_stack.hpp"

#include <cctype>

#include "interp/messages.hpp"
#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan::kfl {

std::FILE* search_and_open(std::string_view name, std::string& opened_path, std::string_view beside)
{
    std::vector<std::string> candidates{std::string(name)};
    if (auto path = plat::get_env("KFL_PATH"))
        candidates.push_back(plat::join_path(*path, name));
    candidates.push_back(plat::join_path(plat::join_path(plat::installation_dir(), "kfl"), name));
    if (!beside.empty() && !name.empty() && name.front() != '/')
        candidates.push_back(plat::join_path(beside, name));
    for (const std::string& candidate : candidates) {
        if (candidate.empty())
            continue;
        if (std::FILE* f = std::fopen(candidate.c_str(), "r")) {
            opened_path = candidate;
            return f;
        }
    }
    return nullptr;
}

bool is_kfl_header(std::string_view record)
{
    auto upper_starts = [&](std::string_view prefix) {
        if (record.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(record[i])) != prefix[i])
                return false;
        }
        return true;
    };
    return upper_starts("%KFL") && !upper_starts("%KFL-");
}

void InputStack::push_first(std::FILE* file, std::string name)
{
    entries_.push_back(InputEntry{file, std::move(name), 0, false, false, plat::LineReader(file)});
}

bool InputStack::open_file(std::string_view name, bool by_include)
{
    if (depth() >= capacity) {
        report("Too many opened files");
        return false;
    }
    // Last of all, the directory of the file that includes or calls this one,
    // so that scripts run from elsewhere find the files that lie beside them.
    std::string beside;
    if (!entries_.empty() && entries_.back().file != nullptr) {
        const std::string& including = entries_.back().name;
        const std::size_t slash = including.rfind('/');
        if (slash != std::string::npos)
            beside = including.substr(0, slash == 0 ? 1 : slash);
    }
    std::string path;
    std::FILE* file = search_and_open(name, path, beside);
    if (file == nullptr) {
        report_file_problem("Open error in file", name);
        return false;
    }
    // The rest of an over-long header line is part of the header, not a statement.
    plat::LineReader lines(file);
    std::string header;
    if (lines.next(header, header_limit) != plat::LineReader::Status::line || !is_kfl_header(header)) {
        report_file_problem("Not allowed file format in", name);
        std::fclose(file);
        return false;
    }
    entries_.push_back(InputEntry{file, std::move(path), record_number, by_include, false, lines});
    record_number = 0;
    return true;
}

void InputStack::pop()
{
    if (entries_.empty())
        return;
    InputEntry& entry = entries_.back();
    if (entry.file != nullptr)
        std::fclose(entry.file);
    record_number = entry.saved_record;
    entries_.pop_back();
}

void InputStack::close_all()
{
    while (!entries_.empty())
        pop();
    record_number = 0;
}

bool InputStack::read_record(std::string& record)
{
    plat::LineReader& lines = top().lines;
    plat::LineReader::Status status = lines.next(record);
    if (status == plat::LineReader::Status::refused) {
        // The refused line counts: the message names its own line number.
        ++record_number;
        report("Record longer than " + std::to_string(plat::LineReader::default_bound) +
               " characters, the rest of the file is not read");
    }
    return status == plat::LineReader::Status::line;
}

}  // namespace korvan::kfl
