#include "interp/statement_buffer.hpp"

#include "interp/messages.hpp"

namespace korvan::kfl {

bool StatementBuffer::append(std::string_view text)
{
    if (text.empty())
        return true;
    if (count() >= capacity) {
        report("Too many statements in the statement buffer");
        return false;
    }
    entries_.emplace_back(text);
    ++current;
    return true;
}

void StatementBuffer::free_from(int position)
{
    if (position < 0)
        position = 0;
    if (position < count())
        entries_.resize(static_cast<std::size_t>(position));
    if (current > count())
        current = count();
}

void StatementBuffer::clear()
{
    entries_.clear();
    current = 0;
    store_mode = false;
}

}  // namespace korvan::kfl
