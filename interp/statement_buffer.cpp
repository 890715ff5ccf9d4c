#include "interp/statement_buffer.hpp"

#include "interp/messages.hpp"
#include "interp/token_cache.hpp"

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
    tokens_.emplace_back();
    ++current;
    return true;
}

void StatementBuffer::free_from(int position)
{
    if (position < 0)
        position = 0;
    if (position < count()) {
        entries_.resize(static_cast<std::size_t>(position));
        tokens_.resize(static_cast<std::size_t>(position));
    }
    if (current > count())
        current = count();
}

void StatementBuffer::clear()
{
    entries_.clear();
    tokens_.clear();
    current = 0;
    store_mode = false;
}

}  // namespace korvan::kfl
