#include "installer/progman_client.hpp"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "installer/progman_protocol.hpp"
#include "plat/host.hpp"
#include "plat/paths.hpp"

extern char** environ;

namespace korvan::installer {

std::string program_manager_path()
{
    if (auto path = plat::get_env("KORVAN_PROGMAN"); path && !path->empty())
        return *path;
    const std::optional<std::string> dir = plat::program_directory();
    if (!dir)
        return "kflprogman";
    return plat::join_path(*dir, "kflprogman");
}

namespace {
// The stand-in process and the installer's end of its socket.
class Conversation {
public:
    explicit Conversation(const std::string& program)
    {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return;
        socket_ = ends[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
    }

    ~Conversation()
    {
        if (socket_ >= 0)
            close(socket_);
        if (pid_ > 0) {
            // The stand-in ends when its socket closes; one that has not
            // ended after half a second is not waited for.
            for (int i = 0; i < 50; ++i) {
                if (waitpid(pid_, nullptr, WNOHANG) != 0)
                    return;
                usleep(10000);
            }
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return socket_ >= 0 && pid_ > 0; }

    bool send_text(const std::string& text)
    {
        std::size_t sent = 0;
        while (sent < text.size()) {
            const ssize_t n = send(socket_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    // One answer line, or false when none came in time or the stand-in ended.
    bool receive_line(std::string& line, int timeout_ms)
    {
        using clock = std::chrono::steady_clock;
        const auto deadline = clock::now() + std::chrono::milliseconds(timeout_ms);
        line.clear();
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
            if (left <= 0)
                return false;
            pollfd watch{socket_, POLLIN, 0};
            if (poll(&watch, 1, static_cast<int>(left)) <= 0)
                continue;
            char c;
            if (recv(socket_, &c, 1, 0) != 1)
                return false;
            if (c == '\n')
                return true;
            if (line.size() < 4096)
                line += c;
        }
    }

private:
    int socket_ = -1;
    pid_t pid_ = -1;
};
}  // namespace

GroupResult register_group(const std::string& program_manager, const std::string& commands, int answer_timeout_ms)
{
    GroupResult result;
    Conversation talk(program_manager);
    std::string answer;
    if (!talk.started() || !talk.send_text(protocol::initiate) || !talk.receive_line(answer, answer_timeout_ms) ||
        answer != protocol::ack)
        return result;
    if (!talk.send_text(protocol::execute + std::to_string(commands.size()) + "\n" + commands) ||
        !talk.receive_line(answer, answer_timeout_ms))
        return result;
    talk.send_text(protocol::terminate);
    if (answer == protocol::ack) {
        result.status = GroupResult::Status::done;
    } else if (answer.starts_with(protocol::nack)) {
        result.status = GroupResult::Status::refused;
        result.reason = answer.substr(std::string_view(protocol::nack).size());
    }
    return result;
}

}  // namespace korvan::installer
