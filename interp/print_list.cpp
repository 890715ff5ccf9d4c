#include "interp/print_list.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {

template <typename... Args>
void append(std::string& out, const char* format, Args... args)
{
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n > 0)
        out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1);
}

void append_real(std::string& out, double d)
{
    double m = std::fabs(d);
    if ((m < 1e-6 && d != 0) || m > 1e6)
        append(out, "%15e ", d);
    else
        append(out, "%15f ", d);
}

// Numbers of a scalar line: four to a line.
struct ScalarLine {
    int numbers = 0;
    void close(std::string& out)
    {
        if (numbers > 0)
            out += '\n';
        numbers = 0;
    }
    void counted(std::string& out)
    {
        if (++numbers == 4) {
            out += '\n';
            numbers = 0;
        }
    }
};

void append_text(std::string& out, const char* text, std::int32_t count)
{
    const void* zero = std::memchr(text, 0, static_cast<std::size_t>(count));
    std::size_t n = zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - text)
                                    : static_cast<std::size_t>(count);
    out.append(text, n);
}

}  // namespace

void format_print_values(int count, std::string& out)
{
    ScalarLine line;
    for (int k = 0; k < count; ++k) {
        const Value& v = stack_at(k);
        switch (v.type) {
        case T_CHAR:
        case T_BYTE:
        case T_SHORT:
        case T_INT:
            append(out, "%15d ", static_cast<int>(slot_real(v.slot, v.type)));
            line.counted(out);
            break;
        case T_FLOAT:
        case T_DOUBLE:
            append_real(out, slot_real(v.slot, v.type));
            line.counted(out);
            break;
        case T_COMPLEX:
            line.close(out);
            append(out, "     (%f, %f)\n", static_cast<double>(v.slot.cx.re), static_cast<double>(v.slot.cx.im));
            break;
        case T_STRING:
            line.close(out);
            out += "     ";
            append_text(out, v.slot.text, v.count);
            out += '\n';
            break;
        case T_CHAR_ARRAY:
            line.close(out);
            out += "     ";
            append_text(out, static_cast<const char*>(v.slot.block), v.count);
            out += '\n';
            break;
        case T_COMPLEX_ARRAY:
            line.close(out);
            for (std::int32_t i = 0; i < v.count; ++i) {
                ValueSlot e = load_element(v, i);
                append(out, "     (%f, %f)\n", static_cast<double>(e.cx.re), static_cast<double>(e.cx.im));
            }
            break;
        case T_BYTE_ARRAY:
        case T_SHORT_ARRAY:
        case T_INT_ARRAY:
        case T_FLOAT_ARRAY:
        case T_DOUBLE_ARRAY: {
            line.close(out);
            int type = element_type(v.type);
            ScalarLine elements;
            for (std::int32_t i = 0; i < v.count; ++i) {
                ValueSlot e = load_element(v, i);
                if (type == T_FLOAT || type == T_DOUBLE)
                    append_real(out, slot_real(e, type));
                else
                    append(out, "%15d ", static_cast<int>(slot_real(e, type)));
                elements.counted(out);
            }
            elements.close(out);
            break;
        }
        default:
            break;  // references and free records print nothing
        }
    }
    line.close(out);
}

void format_list_line(int index, std::string& out)
{
    const Value* v = &variable(index);
    append(out, " Name : %-8s,", v->name);
    if (v->type == T_REF) {
        int target = v->slot.ref;
        if (target < 0 || target >= variable_capacity)
            return;
        v = &variable(target);
    }
    append(out, " Type : %-8s,", type_name(v->type));
    append(out, " Count: %d", static_cast<int>(v->count));
    switch (v->type) {
    case T_CHAR:
        append(out, ", Value: %c\n", v->slot.ch);
        return;
    case T_BYTE:
        append(out, ", Value: %d\n", static_cast<int>(v->slot.u8));
        return;
    case T_SHORT:
        append(out, ", Value: %d\n", static_cast<int>(v->slot.i16));
        return;
    case T_INT:
        append(out, ", Value: %ld\n", static_cast<long>(v->slot.i32));
        return;
    case T_FLOAT:
        append(out, ", Value: %f\n", static_cast<double>(v->slot.f32));
        return;
    case T_DOUBLE:
        append(out, ", Value: %lf\n", v->slot.f64);
        return;
    case T_COMPLEX:
        append(out, ", Value: (%f,%f)\n", static_cast<double>(v->slot.cx.re), static_cast<double>(v->slot.cx.im));
        return;
    case T_STRING:
        if (v->count <= 25) {
            out += ", Value: ";
            out += v->slot.text;
        }
        out += '\n';
        return;
    case T_CHAR_ARRAY: {
        const char* bytes = static_cast<const char*>(v->slot.block);
        if (std::memchr(bytes, 0, static_cast<std::size_t>(v->count)) != nullptr) {
            if (std::strlen(bytes) <= 25) {
                out += ", Value: ";
                out += bytes;
            }
        } else if (v->count <= 25) {
            out += ", Value: ";
            out.append(bytes, static_cast<std::size_t>(v->count));
        }
        out += '\n';
        return;
    }
    default:
        break;
    }
    if (v->dims > 1 && v->dim_list != nullptr) {
        out += ", Dim: [";
        for (int d = 0; d < v->dims; ++d)
            append(out, d + 1 < v->dims ? "%ld," : "%ld]", static_cast<long>(v->dim_list[d]));
    }
    out += '\n';
}

void print_lines(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        win::print(std::string_view(text).substr(start, end - start));
        start = end;
    }
}

void print_statement()
{
    int count = 0;
    if (evaluate_list(0, count)) {
        std::string out;
        format_print_values(count, out);
        print_lines(out);
    }
    pop_to(0);
}

void list_statement()
{
    std::string out;
    int level = routine_level();
    auto list_all = [&](int selection) {  // 0 all, 1 only "%" names, 2 only the others
        for (int i = 0; i < variable_high_water(); ++i) {
            const Value& v = variable(i);
            if (v.type == T_FREE || v.level != level)
                continue;
            bool system = v.name[0] == '%';
            if ((selection == 1 && !system) || (selection == 2 && system))
                continue;
            format_list_line(i, out);
        }
    };
    int t = current_token();
    if (t == TK_END) {
        list_all(0);
    } else if (t == TK_MINUS || t == TK_UMINUS) {
        next_token();
        const Tokenizer& tk = tokenizer();
        std::string_view word = current_token() == TK_IDENT
                                    ? token_name()
                                    : tk.text.substr(tk.token_start, tk.pos - tk.token_start);
        if (word == "S")
            list_all(1);
        else if (word == "U")
            list_all(2);
        else
            report("Undefined LIST option", word);
    } else {
        while (current_token() != TK_END) {
            if (current_token() != TK_IDENT) {
                report("Syntax error - Expected identifier");
                break;
            }
            int index = find_entry(token_name());
            if (index < 0) {
                report("Undefined variable", token_name());
            } else {
                format_list_line(index, out);
                print_lines(out);
                out.clear();
            }
            next_token();
            if (current_token() == TK_COMMA)
                next_token();
        }
    }
    print_lines(out);
}

}  // namespace korvan::kfl
