#include "plat/line_editor.hpp"

#include "plat/completion.hpp"
#include "plat/console.hpp"
#include "plat/line_history.hpp"

#ifdef KORVAN_HAVE_LIBEDIT
#include <histedit.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace korvan::plat {

#ifdef KORVAN_HAVE_LIBEDIT

struct LineEditor::State {
    EditLine* editor = nullptr;
    History* history = nullptr;
    std::FILE* in = nullptr;
    std::FILE* out = nullptr;
    const char* prompt = "";
};

namespace {
LineEditor::State* current = nullptr;  // the editor whose line is being read

char* prompt_text(EditLine*) { return const_cast<char*>(current != nullptr ? current->prompt : ""); }

// One character of the terminal; the screen windows repaint while none comes.
int read_character(EditLine*, wchar_t* c)
{
    const int fd = fileno(current->in);
    InputIdle idle = input_idle();
    pollfd watch{fd, POLLIN, 0};
    while (idle != nullptr && poll(&watch, 1, 50) == 0)
        idle();
    unsigned char byte = 0;
    for (;;) {
        const ssize_t n = read(fd, &byte, 1);
        if (n == 1) {
            *c = static_cast<wchar_t>(byte);
            return 1;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n == 0 ? 0 : -1;
    }
}

unsigned char complete(EditLine* editor, int)
{
    const LineInfo* info = el_line(editor);
    const std::string before(info->buffer, info->cursor);
    const Completion completion = complete_word(before, completion_names());
    if (!completion.insert.empty()) {
        el_insertstr(editor, completion.insert.c_str());
        return CC_REFRESH;
    }
    if (completion.choices.empty())
        return CC_REFRESH_BEEP;
    // Several names fit and share nothing more: show them under the line.
    std::string list = "\n";
    std::size_t width = 0;
    for (const std::string& name : completion.choices) {
        if (width + name.size() + 2 > 78) {
            list += "\n";
            width = 0;
        }
        list += name + "  ";
        width += name.size() + 2;
    }
    list += "\n";
    std::fputs(list.c_str(), current->out);
    std::fflush(current->out);
    return CC_REDISPLAY;
}
}  // namespace

bool LineEditor::available() { return true; }

LineEditor::LineEditor(std::FILE* in, std::FILE* out) : state_(std::make_unique<State>())
{
    state_->in = in;
    state_->out = out;
    state_->editor = el_init("kflrun", in, out, stderr);
    state_->history = history_init();
    HistEvent event;
    history(state_->history, &event, H_SETSIZE, static_cast<int>(LineHistory::capacity));
    history(state_->history, &event, H_SETUNIQUE, 1);
    for (const std::string& line : prompt_history().lines())
        history(state_->history, &event, H_ENTER, line.c_str());
    el_set(state_->editor, EL_EDITOR, "emacs");
    el_set(state_->editor, EL_PROMPT, &prompt_text);
    el_set(state_->editor, EL_HIST, history, state_->history);
    el_set(state_->editor, EL_GETCFN, &read_character);
    el_set(state_->editor, EL_ADDFN, "kfl-complete", "Complete a keyword, routine or variable name", &complete);
    el_set(state_->editor, EL_BIND, "^I", "kfl-complete", nullptr);
    el_set(state_->editor, EL_SIGNAL, 1);
    // The user's own key bindings (~/.editrc) come last.
    el_source(state_->editor, nullptr);
}

LineEditor::~LineEditor()
{
    el_end(state_->editor);
    history_end(state_->history);
}

bool LineEditor::read_line(const char* prompt, std::string& line)
{
    state_->prompt = prompt;
    current = state_.get();
    int count = 0;
    const char* text = el_gets(state_->editor, &count);
    current = nullptr;
    if (text == nullptr || count <= 0)
        return false;
    line.assign(text, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    prompt_history().add(line);
    if (!line.empty()) {
        HistEvent event;
        history(state_->history, &event, H_ENTER, line.c_str());
    }
    return true;
}

#else

struct LineEditor::State {};
bool LineEditor::available() { return false; }
LineEditor::LineEditor(std::FILE*, std::FILE*) {}
LineEditor::~LineEditor() = default;
bool LineEditor::read_line(const char*, std::string&) { return false; }

#endif

}  // namespace korvan::plat
