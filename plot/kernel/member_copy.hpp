// Copying chosen members of a settings struct: kept settings given back, and
// the attribute reset, which gives settings their defaults back by RESET's
// four-letter keys.
#pragma once

#include <string_view>

namespace korvan {

// Copies the named members of from into to.
template <class T, class... M>
void copy_members(T& to, const T& from, M T::*... members)
{
    ((to.*members = from.*members), ...);
}

// The attribute reset of one settings struct for a RESET key ("ALL " for
// all): on(name, members...) gives the members their defaults when the key is
// name or "ALL ".
template <class T>
class AttributeReset {
public:
    AttributeReset(T& settings, std::string_view key) : settings_(settings), key_(key) {}

    template <class... M>
    AttributeReset& on(std::string_view name, M T::*... members)
    {
        if (key_ == "ALL " || key_ == name)
            copy_members(settings_, defaults_, members...);
        return *this;
    }

private:
    T& settings_;
    const T defaults_{};
    std::string_view key_;
};

}  // namespace korvan
