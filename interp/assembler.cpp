#include "interp/assembler.hpp"

namespace korvan::kfl {

void StatementAssembler::copy(char c)
{
    continuation_ = false;
    if (text_.size() >= text_limit) {
        overflow_ = true;
        return;
    }
    text_.push_back(c);
}

void StatementAssembler::feed(std::string_view record)
{
    for (std::size_t i = 0; i < record.size(); ++i) {
        char c = record[i];
        if (c == '\n' || c == '\0')
            break;
        if (in_quotes_) {
            copy(c);
            if (c == quote_)
                in_quotes_ = false;
            continue;
        }
        switch (c) {
        case '\t':
        case ' ':
            if (++blank_run_ == 1)
                copy(' ');
            break;
        case '\r':
            break;
        case '#':
            return;
        case '/':
            if (i + 1 < record.size() && record[i + 1] == '/')
                return;
            copy(c);
            blank_run_ = 0;
            break;
        case '(':
        case ')':
            depth_ += c == '(' ? 1 : -1;
            copy(c);
            blank_run_ = 0;
            break;
        case '@':
            continuation_ = true;
            break;
        case '\'':
        case '"':
            in_quotes_ = true;
            quote_ = c;
            copy(c);
            break;
        default:
            copy(c);
            blank_run_ = 0;
            break;
        }
    }
}

const char* StatementAssembler::fault() const
{
    if (in_quotes_)
        return "Missing Apostroph or Quotation mark";
    if (depth_ != 0)
        return "Missing '(' or ')'";
    if (overflow_)
        return "Statement overflow";
    return nullptr;
}

void StatementAssembler::discard()
{
    text_.clear();
    in_quotes_ = false;
    quote_ = 0;
    depth_ = 0;
    overflow_ = false;
    continuation_ = false;
}

}  // namespace korvan::kfl
