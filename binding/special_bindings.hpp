// Bindings that do more than the call: output blocks allocated for the
// routine and handed to U variables afterwards, the legend buffer, item lists,
// checks of byte arrays, private copies, the spline output size and the
// callback table. Each is a template over the library routine, so that a
// routine plugs in as soon as it exists (and tests plug in their own).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "binding/adapters.hpp"
#include "binding/binding_state.hpp"
#include "binding/call_marshalling.hpp"
#include "interp/messages.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"
#include "plot/kernel/state.hpp"

namespace korvan::binding {

// " >>>> Routine NAME is not available in this version\n": the routine is not
// part of this version of the library; nothing else happens.
void report_unavailable(std::string_view name);

// Library routine types of the bindings below.
using BezierRoutine = void (*)(std::span<const float> x, std::span<const float> y, int n, std::span<float> xp,
                               std::span<float> yp, int nout);
using SplineRoutine = void (*)(std::span<const float> x, std::span<const float> y, int n, std::span<float> xs,
                               std::span<float> ys, int& nspl);
using SplmodRoutine = void (*)(int ngrad, int npts);
using HistogRoutine = void (*)(std::span<const float> x, int n, std::span<float> xh, std::span<float> yh, int& nh);
using LeginiRoutine = void (*)(std::span<char> buffer, int nlin, int nmaxln);
using LeglinRoutine = void (*)(std::string& buffer, std::string_view text, int ilin);
using LegendRoutine = void (*)(std::span<const char> buffer, int ncor);
using ItmcatRoutine = void (*)(std::span<char> list, std::string_view item);
using RpixlsRoutine = void (*)(std::span<std::uint8_t> bytes, int nx, int ny, int nw, int nh);
using RpxrowRoutine = void (*)(std::span<std::uint8_t> bytes, int nx, int ny, int n);
using ShdeurRoutine = void (*)(std::span<const int> inray, std::span<int> ipray, std::span<const int> icray, int n);
using CallbackEntry = void (*)(int widget);
using SwgcbRoutine = void (*)(int widget, CallbackEntry entry);

// What a widget calls when it fires: runs the KFL subroutine of the callback
// table for the widget one routine level deeper, with the widget identifier
// and the remembered array variable; nothing when the widget has none.
void widget_callback_entry(int widget);

namespace detail {

inline std::span<float> float_block(kfl::Value& array, std::int32_t count)
{
    return {static_cast<float*>(array.slot.block), static_cast<std::size_t>(std::max(count, 0))};
}

// The STRING variable of a V argument, or nullptr after "Parameter mismatch".
inline kfl::Value* text_variable(const ArgumentSlots& s, int pos, std::string_view name, std::string_view signature)
{
    kfl::Value* v = s.variable_at(pos);
    if (v == nullptr || v->type != kfl::T_STRING) {
        report_mismatch(name, signature);
        return nullptr;
    }
    return v;
}

// The byte array of RPIXLS and RPXROW must be a variable holding at least
// needed elements.
inline bool byte_array_ok(const ArgumentSlots& s, std::int64_t needed, const char* name)
{
    if (s.variables[0] < 0) {
        kfl::report(std::string("Byte array in ") + name + " must be a variable");
        return false;
    }
    if (static_cast<std::int64_t>(s.block_at<std::uint8_t>(0).size()) < needed) {
        kfl::report(std::string("Byte array too small in ") + name);
        return false;
    }
    return true;
}

}  // namespace detail

// BEZIER(XRAY, YRAY, N, XPRAY, YPRAY, NOUT): two FLOAT arrays of NOUT elements.
template <BezierRoutine Routine>
void bind_bezier(ArgumentSlots& s)
{
    std::int32_t nout = s.int_at(5);
    kfl::Value xp, yp;
    if (!make_output_array(xp, kfl::T_FLOAT_ARRAY, nout))
        return;
    if (!make_output_array(yp, kfl::T_FLOAT_ARRAY, nout)) {
        kfl::release(xp);
        return;
    }
    Routine(s.block_at<const float>(0), s.block_at<const float>(1), s.int_at(2), detail::float_block(xp, nout),
            detail::float_block(yp, nout), nout);
    std::int32_t count = std::max(nout, 1);
    store_array(s.variables[3], xp, count);
    store_array(s.variables[4], yp, count);
}

// SPLINE(XRAY, YRAY, N, XSRAY, YSRAY, NSPL): blocks of the spline output size;
// the arrays get the number of points produced, NSPL that number.
template <SplineRoutine Routine>
void bind_spline(ArgumentSlots& s)
{
    std::int32_t size = spline_output_size();
    kfl::Value xs, ys;
    if (!make_output_array(xs, kfl::T_FLOAT_ARRAY, size))
        return;
    if (!make_output_array(ys, kfl::T_FLOAT_ARRAY, size)) {
        kfl::release(xs);
        return;
    }
    int produced = 0;
    Routine(s.block_at<const float>(0), s.block_at<const float>(1), s.int_at(2), detail::float_block(xs, size),
            detail::float_block(ys, size), produced);
    produced = std::clamp(produced, 0, size);
    store_array(s.variables[3], xs, produced);
    store_array(s.variables[4], ys, produced);
    store_int(s.variables[5], produced);
}

// SPLMOD(NGRAD, NPTS): an accepted call (no warning) makes the spline output
// size NPTS + 1.
template <SplmodRoutine Routine>
void bind_splmod(ArgumentSlots& s)
{
    int warnings = state().warning_count;
    std::int32_t npts = s.int_at(1);
    Routine(s.int_at(0), npts);
    if (state().warning_count == warnings && npts >= 0 && npts < INT32_MAX)
        set_spline_output_size(npts + 1);
}

// HISTOG(XRAY, N, XHRAY, YHRAY, NH): two FLOAT arrays of N elements and the
// number of classes.
template <HistogRoutine Routine>
void bind_histog(ArgumentSlots& s)
{
    std::int32_t n = s.int_at(1);
    kfl::Value xh, yh;
    if (!make_output_array(xh, kfl::T_FLOAT_ARRAY, n))
        return;
    if (!make_output_array(yh, kfl::T_FLOAT_ARRAY, n)) {
        kfl::release(xh);
        return;
    }
    int classes = 0;
    Routine(s.block_at<const float>(0), n, detail::float_block(xh, n), detail::float_block(yh, n), classes);
    std::int32_t count = std::max(n, 1);
    store_array(s.variables[2], xh, count);
    store_array(s.variables[3], yh, count);
    store_int(s.variables[4], classes);
}

// LEGINI(CBUF, NLIN, NMAXLN): the legend buffer, NLIN * NMAXLN + 1 zero bytes,
// becomes the text of CBUF (a STRING of NLIN * NMAXLN characters).
template <LeginiRoutine Routine>
void bind_legini(ArgumentSlots& s)
{
    std::int32_t nlin = s.int_at(1);
    std::int32_t nmaxln = s.int_at(2);
    std::int64_t length = static_cast<std::int64_t>(nlin) * nmaxln;
    if (length < 0)
        length = 0;
    void* block = static_cast<std::size_t>(length) < kfl::max_block_bytes
                      ? kfl::allocate_block(static_cast<std::size_t>(length) + 1)
                      : nullptr;
    if (block == nullptr) {
        kfl::report("Not enough memory");
        return;
    }
    kfl::Value buffer;
    kfl::clear_record(buffer);
    buffer.type = kfl::T_STRING;
    buffer.dims = 1;
    buffer.count = static_cast<std::int32_t>(length);
    buffer.slot.block = block;
    store_array(s.variables[0], buffer, buffer.count);
    Routine({static_cast<char*>(block), static_cast<std::size_t>(length)}, nlin, nmaxln);
}

// LEGLIN(CBUF, CSTR, ILIN): the legend buffer is CBUF's own text. Its lines
// hold characters, so a line of UTF-8 text makes the text longer in bytes:
// CBUF then gets a block of the new length.
template <LeglinRoutine Routine>
void bind_leglin(ArgumentSlots& s)
{
    kfl::Value* v = detail::text_variable(s, 0, "LEGLIN", "V,S,I");
    if (v == nullptr)
        return;
    // CSTR may be CBUF's own text: the old block stays until the routine is done.
    // An empty text may have no block at all.
    std::string buffer(v->count > 0 ? std::string_view(v->slot.text, static_cast<std::size_t>(v->count)) : "");
    Routine(buffer, s.text_at(1), s.int_at(2));
    if (buffer.size() == static_cast<std::size_t>(v->count)) {
        if (!buffer.empty())
            std::memcpy(v->slot.text, buffer.data(), buffer.size());
        return;
    }
    char* block = buffer.size() < kfl::max_block_bytes ? static_cast<char*>(kfl::allocate_block(buffer.size() + 1))
                                                       : nullptr;
    if (block == nullptr) {
        kfl::report("Not enough memory");
        return;
    }
    std::memcpy(block, buffer.data(), buffer.size());
    std::free(v->slot.text);
    v->slot.text = block;
    v->count = static_cast<std::int32_t>(buffer.size());
}

// LEGEND(CBUF, NCOR).
template <LegendRoutine Routine>
void bind_legend(ArgumentSlots& s)
{
    kfl::Value* v = detail::text_variable(s, 0, "LEGEND", "V,I");
    if (v == nullptr)
        return;
    Routine({v->slot.text, static_cast<std::size_t>(v->count)}, s.int_at(1));
}

// ITMCAT(CLIS, CSTR): the item list grows to hold CSTR as a new item.
template <ItmcatRoutine Routine>
void bind_itmcat(ArgumentSlots& s)
{
    kfl::Value* v = detail::text_variable(s, 0, "ITMCAT", "V,S");
    if (v == nullptr)
        return;
    std::string_view item = s.text_at(1);
    std::size_t old = strnlen(v->slot.text, static_cast<std::size_t>(v->count));
    std::size_t size = old + item.size() + 2;
    char* block = size < kfl::max_block_bytes ? static_cast<char*>(kfl::allocate_block(size)) : nullptr;
    if (block == nullptr) {
        kfl::report("Not enough memory");
        return;
    }
    std::memcpy(block, v->slot.text, old);
    // The item may be the list's own text (ITMCAT(L, L)): then it is read from
    // the copy in the new block, since the old block goes now.
    const char* old_text = v->slot.text;
    if (item.data() >= old_text && item.data() < old_text + v->count + 1)
        item = std::string_view(block + (item.data() - old_text), item.size());
    std::free(v->slot.text);
    v->slot.text = block;
    v->count = static_cast<std::int32_t>(old + item.size() + 1);
    Routine({block, size}, item);
}

// RPIXLS(IRAY, NX, NY, NW, NH): IRAY must be a variable of at least NW * NH bytes.
template <RpixlsRoutine Routine>
void bind_rpixls(ArgumentSlots& s)
{
    std::int64_t needed = static_cast<std::int64_t>(s.int_at(3)) * s.int_at(4);
    if (!detail::byte_array_ok(s, needed, "RPIXLS"))
        return;
    Routine(s.block_at<std::uint8_t>(0), s.int_at(1), s.int_at(2), s.int_at(3), s.int_at(4));
}

// RPXROW(IRAY, NX, NY, N): IRAY must be a variable of at least N bytes.
template <RpxrowRoutine Routine>
void bind_rpxrow(ArgumentSlots& s)
{
    if (!detail::byte_array_ok(s, s.int_at(3), "RPXROW"))
        return;
    Routine(s.block_at<std::uint8_t>(0), s.int_at(1), s.int_at(2), s.int_at(3));
}

// SHDEUR(INRAY, IPRAY, ICRAY, N): the routine works on a private copy of the
// first N elements of IPRAY; where the array holds fewer, the copy is as long
// as the array, and the routine refuses an N beyond its arrays.
template <ShdeurRoutine Routine>
void bind_shdeur(ArgumentSlots& s)
{
    std::span<const int> ipray = s.block_at<const int>(1);
    std::size_t size = std::min(ipray.size(), static_cast<std::size_t>(std::max(s.int_at(3), 0)));
    int* copy = static_cast<int*>(kfl::allocate_block(sizeof(int) * size));
    if (copy == nullptr) {
        kfl::report("Not enough memory in SHDEUR");
        return;
    }
    std::copy_n(ipray.data(), size, copy);
    Routine(s.block_at<const int>(0), {copy, size}, s.block_at<const int>(2), s.int_at(3));
    std::free(copy);
}

// SWGCB(ID, CROUT, IRAY): the subroutine CROUT runs when widget ID fires,
// with IRAY as its second parameter.
template <SwgcbRoutine Routine>
void bind_swgcb(ArgumentSlots& s)
{
    std::int32_t widget = s.int_at(0);
    set_callback(widget, s.text_at(1), s.variables[2]);
    Routine(widget, &widget_callback_entry);
}

}  // namespace korvan::binding
