#include "plot/widgets/text_form.hpp"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "plat/console.hpp"
#include "plat/line_reader.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/widgets/events.hpp"
#include "plot/widgets/front_end.hpp"
#include "plot/widgets/widget_records.hpp"

namespace korvan::widgets {

namespace {

std::FILE* input = nullptr;

std::FILE* in() { return input != nullptr ? input : stdin; }

void write(std::string_view text) { plat::console().write_output(text); }

// Writes the prompt, reads a line; when the input is no terminal the line is
// echoed so that the output reads like a typed session.
bool read_line(std::string_view prompt, std::string& line)
{
    write(prompt);
    plat::LineReader::Status status = plat::read_typed_line(in(), line);
    if (status == plat::LineReader::Status::refused) {
        write(plat::typed_line_refusal());
        return false;
    }
    if (isatty(fileno(in())) == 0)
        write(line + "\n");
    return status == plat::LineReader::Status::line;
}

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return "";
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::string lower(std::string_view s)
{
    std::string out;
    for (char c : s)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A whole non-negative number of at most 9 digits; -1 otherwise.
int number_of(std::string_view s)
{
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return -1;
    return std::atoi(std::string(s).c_str());
}

std::string id_text(int index) { return "[" + std::to_string(index + 1) + "] "; }

std::string form_line(int index)
{
    const Widget& w = record(index);
    switch (w.type) {
    case WidgetType::label:
        // A text field's own label stands in the field's line.
        return w.field_label ? "" : "    " + w.text + "\n";
    case WidgetType::check:
        return id_text(index) + w.text + ": " + (w.state != 0 ? "[x]" : "[ ]") + "\n";
    case WidgetType::push:
    case WidgetType::command:
    case WidgetType::ok:
    case WidgetType::quit:
        return id_text(index) + w.text + "\n";
    case WidgetType::list: {
        std::string s = id_text(index) + "list\n";
        for (std::size_t k = 0; k < w.items.size(); ++k) {
            s += static_cast<int>(k) + 1 == w.shown ? "  * " : "    ";
            s += "[" + std::to_string(index + 1) + "." + std::to_string(k + 1) + "] " + w.items[k] + "\n";
        }
        return s;
    }
    case WidgetType::radio: {
        const Widget& head = record(w.first_item);
        const bool on = index - w.first_item + 1 == head.shown;
        return id_text(index) + w.text + ": " + (on ? "(*)" : "( )") + "\n";
    }
    case WidgetType::text:
        return id_text(index) + (w.label.empty() ? "text" : w.label) + ": " + w.shown_text + "\n";
    case WidgetType::file:
        return id_text(index) + (w.label.empty() ? "file" : w.label) + ": " + w.shown_text + "\n";
    case WidgetType::scale: {
        const int digits = std::clamp(w.digits, -1, 12);
        return id_text(index) + (w.label.empty() ? "scale" : w.label) + ": " + record(index + 1).text + " (" +
               plain_number(w.minimum, digits) + " .. " + plain_number(w.maximum, digits) + ")\n";
    }
    case WidgetType::popup_item:
        return id_text(index) + record(w.parent).text + " > " + w.text + "\n";
    default:
        return "";
    }
}

class TextForm final : public DialogFrontEnd {
public:
    FontMetrics metrics() override { return FontMetrics{}; }

    void run(int main_index) override
    {
        open_.insert(main_index);
        write(text_form_of(main_index));
        std::string line;
        while (open_.count(main_index) != 0) {
            if (!read_line("> ", line)) {
                open_.erase(main_index);  // the end of input is the close box
                break;
            }
            command(main_index, trimmed(line));
        }
    }

    void close(int main_index) override { open_.erase(main_index); }

    void refresh(int) override {}

    void message(std::string_view caption, std::string_view text) override
    {
        if (!caption.empty()) {
            plat::console().message_box(caption, text);
        } else {
            write(text);
            if (text.empty() || text.back() != '\n')
                write("\n");
        }
    }

    bool choose_file(std::string_view title, std::string_view mask, std::string& name) override
    {
        if (!title.empty())
            write(std::string(title) + "\n");
        std::string line;
        if (!read_line("File (" + std::string(mask) + ") [" + name + "]: ", line))
            return false;
        if (!trimmed(line).empty())
            name = trimmed(line);
        return true;
    }

    bool yes_no(std::string_view caption, std::string_view text, bool yes_default) override
    {
        message(caption, text);
        std::string line;
        while (read_line("Yes or No? ", line)) {
            const std::string answer = lower(trimmed(line));
            if (answer.empty())
                return yes_default;
            if (answer == "y" || answer == "yes")
                return true;
            if (answer == "n" || answer == "no")
                return false;
        }
        return yes_default;
    }

    int choose_item(std::string_view label, const std::vector<std::string>& items, int selected) override
    {
        if (!label.empty())
            write(std::string(label) + "\n");
        for (std::size_t k = 0; k < items.size(); ++k)
            write((static_cast<int>(k) + 1 == selected ? "  * [" : "    [") + std::to_string(k + 1) + "] " + items[k] + "\n");
        std::string line;
        while (read_line("Item? ", line)) {
            const std::string answer = trimmed(line);
            if (answer.empty())
                return selected;
            int k = number_of(answer);
            if (k >= 1 && k <= static_cast<int>(items.size()))
                return k;
        }
        return selected;
    }

    std::string ask_text(std::string_view label, std::string_view text) override
    {
        std::string line;
        if (!read_line(std::string(label) + " [" + std::string(text) + "]: ", line) || line.empty())
            return std::string(text);
        return line;
    }

private:
    void command(int main, const std::string& line)
    {
        const Widget& m = record(main);
        if (line.empty()) {
            write(text_form_of(main));
            return;
        }
        const std::string word = lower(line);
        if (word == "ok" && m.menu_ok) {
            ok_chosen(main);
            return;
        }
        if (word == "quit" && m.menu_quit)
            quit_chosen();
        if (word == "help" && m.menu_help) {
            help_chosen(main);
            return;
        }
        // "n", "n.k" or "n text".
        std::size_t digits = 0;
        while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits])))
            ++digits;
        const int id = number_of(line.substr(0, digits));
        const int index = id - 1;
        if (id < 1 || id > table().count || record(index).type == WidgetType::unused || main_of(index) != main ||
            form_line(index).rfind("[", 0) != 0) {
            write("Not a command of this dialog: " + line + "\n");
            return;
        }
        const std::string rest = line.substr(digits);
        if (rest.empty())
            press(main, index);
        else if (rest[0] == '.')
            choose(index, number_of(rest.substr(1)), line);
        else if (rest[0] == ' ' || rest[0] == '\t')
            set(index, trimmed(rest), line);
        else
            write("Not a command of this dialog: " + line + "\n");
    }

    void press(int main, int index)
    {
        if (button_pressed(index, main))
            return;
        Widget& w = record(index);
        switch (w.type) {
        case WidgetType::check:
            check_clicked(index, w.state == 0);
            break;
        case WidgetType::file:
            file_entry_chosen(index);
            break;
        case WidgetType::list:
            write("Choose an item with " + std::to_string(index + 1) + ".k\n");
            break;
        default:
            write("Give a text or value: " + std::to_string(index + 1) + " text\n");
            break;
        }
    }

    void choose(int index, int item, const std::string& line)
    {
        const Widget& w = record(index);
        if (w.type != WidgetType::list || item < 1 || item > static_cast<int>(w.items.size())) {
            write("Not a command of this dialog: " + line + "\n");
            return;
        }
        list_selected(index, item);
    }

    void set(int index, const std::string& text, const std::string& line)
    {
        const Widget& w = record(index);
        if (w.type == WidgetType::text || w.type == WidgetType::file) {
            field_edited(index, text);
            return;
        }
        if (w.type == WidgetType::scale) {
            char* end = nullptr;
            double v = std::strtod(text.c_str(), &end);
            if (end != text.c_str() && *end == '\0') {
                scale_set(index, v);
                return;
            }
        }
        write("Not a command of this dialog: " + line + "\n");
    }

    std::set<int> open_;
};

}  // namespace

void set_text_form_input(std::FILE* next) { input = next; }

std::string text_form_of(int main_index)
{
    std::string form = record(main_index).text + "\n";
    const WidgetTable& t = table();
    for (int i = main_index + 1; i < t.count; ++i) {
        if (record(i).type != WidgetType::unused && main_of(i) == main_index)
            form += form_line(i);
    }
    const Widget& m = record(main_index);
    form += "(n: press or choose, n.k: list item, n text: set";
    form += m.menu_ok ? ", ok" : "";
    form += m.menu_quit ? ", quit" : "";
    form += m.menu_help ? ", help" : "";
    form += ")\n";
    return form;
}

std::unique_ptr<DialogFrontEnd> make_text_form() { return std::make_unique<TextForm>(); }

}  // namespace korvan::widgets
