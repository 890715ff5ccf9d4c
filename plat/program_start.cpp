#include "plat/program_start.hpp"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korvan::plat {

namespace {

constexpr int started = 33;

int failure_code(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return 2;
    case EACCES:
    case EPERM:
        return 5;
    case ENOEXEC:
        return 11;
    default:
        return 0;
    }
}

}  // namespace

std::vector<std::string> command_words(std::string_view command_line)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < command_line.size()) {
        while (i < command_line.size() && command_line[i] == ' ')
            ++i;
        std::size_t start = i;
        while (i < command_line.size() && command_line[i] != ' ')
            ++i;
        if (i > start)
            words.emplace_back(command_line.substr(start, i - start));
    }
    return words;
}

int start_program(std::string_view command_line)
{
    std::vector<std::string> words = command_words(command_line);
    if (words.empty())
        return 2;
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    // An intermediate child starts the program and ends at once, telling
    // whether the start worked; the program then belongs to init, so no
    // finished program is left behind as a zombie of the caller.
    pid_t child = fork();
    if (child < 0)
        return 0;
    if (child == 0) {
        setsid();
        pid_t program = 0;
        // A name without a directory is looked up on PATH, as the old
        // program start searched the system's directories.
        int rc = posix_spawnp(&program, argv[0], nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : (rc & 0x7f));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return 0;
    }
    if (!WIFEXITED(status))
        return 0;
    int error = WEXITSTATUS(status);
    return error == 0 ? started : failure_code(error);
}

}  // namespace korvan::plat
