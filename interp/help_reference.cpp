#include "interp/help_reference.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan::kfl {

namespace {

std::string trimmed(std::string_view text)
{
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos)
        return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return std::string(text.substr(begin, end - begin + 1));
}

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

void read_file(const std::filesystem::path& path, std::vector<HelpEntry>& entries)
{
    std::ifstream in(path);
    std::string line;
    std::string group;
    HelpEntry* current = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("# ", 0) == 0) {
            group = trimmed(std::string_view(line).substr(2));
            current = nullptr;
            continue;
        }
        if (line.rfind("## ", 0) == 0) {
            current = nullptr;
            continue;
        }
        if (line.rfind("### ", 0) == 0) {
            HelpEntry entry;
            entry.group = group;
            std::string_view names = std::string_view(line).substr(4);
            while (!names.empty()) {
                std::size_t comma = names.find(',');
                std::string name = trimmed(names.substr(0, comma));
                if (!name.empty())
                    entry.names.push_back(name);
                names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
            }
            entries.push_back(std::move(entry));
            current = &entries.back();
            continue;
        }
        if (current != nullptr)
            current->lines.push_back(line);
    }
}

std::size_t edit_distance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<HelpEntry> read_help_entries(const std::string& directory)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(directory, error)) {
        if (item.path().extension() == ".md")
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<HelpEntry> entries;
    for (const auto& file : files)
        read_file(file, entries);
    return entries;
}

std::optional<std::string> find_help_directory()
{
    std::vector<std::string> candidates;
    if (auto korvan = plat::get_env("KORVAN"))
        candidates.push_back(plat::join_path(plat::join_path(*korvan, "hlp"), "reference"));
    candidates.push_back(plat::join_path(plat::join_path(plat::built_in_installation_dir(), "hlp"), "reference"));
    // Beside the program: <dir>/win/kflrun and <dir>/hlp in an installation,
    // build/bin/kflrun and build/hlp in a build tree.
    if (auto dir = plat::program_directory())
        candidates.push_back(plat::join_path(plat::join_path(plat::join_path(*dir, ".."), "hlp"), "reference"));
    for (const std::string& dir : candidates) {
        std::error_code error;
        if (std::filesystem::is_directory(dir, error))
            return dir;
    }
    return std::nullopt;
}

std::string format_help_entry(const HelpEntry& entry)
{
    std::vector<std::string> lines;
    bool in_code = false;
    for (const std::string& line : entry.lines) {
        if (line.rfind("```", 0) == 0) {
            in_code = !in_code;
            continue;
        }
        if (in_code) {
            lines.push_back("    " + line);
            continue;
        }
        std::string plain;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '`')
                continue;
            // The middle dot between the parts of a synopsis line.
            if (line.compare(i, 2, "\xC2\xB7") == 0) {
                plain += '-';
                ++i;
                continue;
            }
            if (line[i] == '*' && i + 1 < line.size() && line[i + 1] == '*') {
                ++i;
                continue;
            }
            plain += line[i];
        }
        lines.push_back(plain);
    }
    while (!lines.empty() && trimmed(lines.front()).empty())
        lines.erase(lines.begin());
    while (!lines.empty() && trimmed(lines.back()).empty())
        lines.pop_back();
    std::string heading;
    for (const std::string& name : entry.names)
        heading += (heading.empty() ? "" : ", ") + name;
    std::string text = heading + "\n\n";
    for (const std::string& line : lines)
        text += line + "\n";
    return text + "\n";
}

std::vector<std::string> close_help_names(const std::vector<HelpEntry>& entries, std::string_view word)
{
    const std::string key = upper(word);
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const HelpEntry& entry : entries) {
        for (const std::string& name : entry.names) {
            const std::string candidate = upper(name);
            std::size_t distance = edit_distance(key, candidate);
            bool common_start = key.size() >= 3 && candidate.rfind(key.substr(0, 3), 0) == 0;
            if (distance <= 2 || common_start) {
                if (std::none_of(scored.begin(), scored.end(), [&](const auto& s) { return s.second == name; }))
                    scored.emplace_back(common_start ? std::min<std::size_t>(distance, 3) : distance, name);
            }
        }
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (const auto& s : scored) {
        if (names.size() == 8)
            break;
        names.push_back(s.second);
    }
    return names;
}

}  // namespace korvan::kfl
