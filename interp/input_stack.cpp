#include "interp/input_stack.hpp"

#include <cctype>

#include "interp/messages.hpp"
#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan::kfl {

bool read_record(std::FILE* file, std::size_t limit, std::string& record)
{
    record.clear();
    int c;
    while (record.size() < limit && (c = std::fgetc(file)) != EOF) {
        record.push_back(static_cast<char>(c));
        if (c == '\n')
            return true;
    }
    if (record.size() == limit) {
        // A line end right after a full record belongs to it.
        c = std::fgetc(file);
        if (c == '\n')
            record.push_back('\n');
        else if (c != EOF)
            std::ungetc(c, file);
    }
    return !record.empty();
}

void skip_line(std::FILE* file)
{
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
    }
}

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
    entries_.push_back(InputEntry{file, std::move(name), 0, false});
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
    std::string header;
    bool has_header = kfl::read_record(file, record_limit, header);
    if (!has_header || !is_kfl_header(header)) {
        report_file_problem("Not allowed file format in", name);
        std::fclose(file);
        return false;
    }
    // The rest of an over-long header line is part of the header, not a statement.
    if (header.back() != '\n')
        skip_line(file);
    entries_.push_back(InputEntry{file, std::move(path), record_number, by_include});
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
    return kfl::read_record(top().file, record_limit, record);
}

}  // namespace korvan::kfl
