// Call adapters: a library routine's C++ parameters read from the argument
// slots by position, and its outputs written back. A parameter's type says how
// it is read: int from an integer slot, double (and float) from a real slot,
// std::string_view from a text, std::span<const float> / <const int> ... from an
// array's element block; int&, double& and std::string& are outputs that the
// U variable at that position receives as INT, DOUBLE or STRING after the call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "binding/call_marshalling.hpp"

namespace korvan::binding {

// The result of a library function, stored into the target variable afterwards.
struct FunctionResult {
    int type = kfl::T_INT;  // INT, SHORT, DOUBLE or STRING
    std::int32_t int_value = 0;
    double double_value = 0.0;
    std::string text;
};

using ProcedureAdapter = void (*)(ArgumentSlots& slots);
using FunctionAdapter = void (*)(ArgumentSlots& slots, FunctionResult& result);

namespace detail {

template <typename T>
struct Param;

template <>
struct Param<int> {
    int value = 0;
    void load(const ArgumentSlots& s, int pos) { value = s.int_at(pos); }
    int get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <>
struct Param<double> {
    double value = 0.0;
    void load(const ArgumentSlots& s, int pos) { value = static_cast<double>(s.real_at(pos)); }
    double get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <>
struct Param<float> {
    float value = 0.0f;
    void load(const ArgumentSlots& s, int pos) { value = s.real_at(pos); }
    float get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <>
struct Param<std::string_view> {
    std::string_view value;
    void load(const ArgumentSlots& s, int pos) { value = s.text_at(pos); }
    std::string_view get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <typename E>
struct Param<std::span<E>> {
    std::span<E> value;
    void load(const ArgumentSlots& s, int pos) { value = s.block_at<E>(pos); }
    std::span<E> get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

// Any array as raw bytes (the AR code of READFL and WRITFL).
template <>
struct Param<std::span<std::byte>> {
    std::span<std::byte> value;
    void load(const ArgumentSlots& s, int pos) { value = s.bytes_at<std::byte>(pos); }
    std::span<std::byte> get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <>
struct Param<std::span<const std::byte>> {
    std::span<const std::byte> value;
    void load(const ArgumentSlots& s, int pos) { value = s.bytes_at<const std::byte>(pos); }
    std::span<const std::byte> get() { return value; }
    void store(const ArgumentSlots&, int) {}
};

template <>
struct Param<int&> {
    int value = 0;
    void load(const ArgumentSlots&, int) {}
    int& get() { return value; }
    void store(const ArgumentSlots& s, int pos) { store_int(s.variables[pos], value); }
};

template <>
struct Param<double&> {
    double value = 0.0;
    void load(const ArgumentSlots&, int) {}
    double& get() { return value; }
    void store(const ArgumentSlots& s, int pos) { store_double(s.variables[pos], value); }
};

template <>
struct Param<std::string&> {
    std::string value;
    void load(const ArgumentSlots&, int) {}
    std::string& get() { return value; }
    void store(const ArgumentSlots& s, int pos) { store_string(s.variables[pos], value); }
};

template <typename R, typename... A, std::size_t... I>
R invoke(R (*routine)(A...), ArgumentSlots& s, std::index_sequence<I...>)
{
    std::tuple<Param<A>...> params;
    (std::get<I>(params).load(s, static_cast<int>(I)), ...);
    if constexpr (std::is_void_v<R>) {
        routine(std::get<I>(params).get()...);
        (std::get<I>(params).store(s, static_cast<int>(I)), ...);
    } else {
        R result = routine(std::get<I>(params).get()...);
        (std::get<I>(params).store(s, static_cast<int>(I)), ...);
        return result;
    }
}

template <typename R, typename... A>
constexpr std::size_t arity(R (*)(A...))
{
    return sizeof...(A);
}

}  // namespace detail

// The adapter of a procedure: its parameters in the routine's parameter order.
template <auto Routine>
void call_procedure(ArgumentSlots& slots)
{
    detail::invoke(Routine, slots, std::make_index_sequence<detail::arity(Routine)>{});
}

// The adapter of a library function; the result type follows the C++ return
// type (int: INT, double: DOUBLE, std::string: STRING).
template <auto Routine>
void call_function(ArgumentSlots& slots, FunctionResult& result)
{
    auto value = detail::invoke(Routine, slots, std::make_index_sequence<detail::arity(Routine)>{});
    using R = decltype(value);
    if constexpr (std::is_same_v<R, std::string>) {
        result.type = kfl::T_STRING;
        result.text = std::move(value);
    } else if constexpr (std::is_floating_point_v<R>) {
        result.type = kfl::T_DOUBLE;
        // Library functions return single-precision reals.
        result.double_value = static_cast<double>(static_cast<float>(value));
    } else if constexpr (std::is_same_v<R, std::int16_t>) {
        result.type = kfl::T_SHORT;
        result.int_value = value;
    } else {
        result.type = kfl::T_INT;
        result.int_value = static_cast<std::int32_t>(value);
    }
}

}  // namespace korvan::binding
