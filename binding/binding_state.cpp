#include "binding/binding_state.hpp"

#include <array>

namespace korvan::binding {

namespace {

struct Callback {
    std::string routine;
    int variable = -1;
};

struct BindingState {
    bool metafl_flag = false;
    int spline_output_size = default_spline_output_size;
    std::array<Callback, callback_capacity + 1> callbacks{};  // entry 0 unused
};

BindingState& binding_state()
{
    static BindingState s;
    return s;
}

bool valid_widget(int widget) { return widget >= 1 && widget <= callback_capacity; }

}  // namespace

bool metafl_flag() { return binding_state().metafl_flag; }
void set_metafl_flag() { binding_state().metafl_flag = true; }

int spline_output_size() { return binding_state().spline_output_size; }
void set_spline_output_size(int size) { binding_state().spline_output_size = size; }

void set_callback(int widget, std::string_view routine, int variable_index)
{
    if (!valid_widget(widget))
        return;
    Callback& c = binding_state().callbacks[static_cast<std::size_t>(widget)];
    c.routine.assign(routine);
    c.variable = variable_index;
}

const std::string& callback_routine(int widget)
{
    static const std::string none;
    return valid_widget(widget) ? binding_state().callbacks[static_cast<std::size_t>(widget)].routine : none;
}

int callback_variable(int widget)
{
    return valid_widget(widget) ? binding_state().callbacks[static_cast<std::size_t>(widget)].variable : -1;
}

void reset_binding_state() { binding_state() = BindingState{}; }

}  // namespace korvan::binding
