#include "interp/subscripts.hpp"

#include "interp/messages.hpp"

namespace korvan::kfl {

bool check_subscripts(const Value& var, std::string_view name, Subscripts& s)
{
    if (s.n != var.dims) {
        report("Mismatch of subscripts in", name);
        return false;
    }
    std::int64_t selected = 1;
    for (int d = 0; d < s.n; ++d) {
        std::int32_t size = dimension_size(var, d);
        std::int32_t start = s.start[d], end = s.end[d];
        switch (s.kind[d]) {
        case SUB_ELEMENT:
            if (start < 0 || start >= size) {
                report("Subscript out of range in", name);
                return false;
            }
            end = start;
            break;
        case SUB_WHOLE:
            start = 0;
            end = size - 1;
            break;
        case SUB_RANGE:
            if (start < 0 || end >= size) {
                report("Subscript out of range in", name);
                return false;
            }
            if (end < start) {
                report("Bad subscript range in", name);
                return false;
            }
            break;
        case SUB_TO_END:
        default:
            if (start < 0 || start >= size) {
                report("Subscript out of range in", name);
                return false;
            }
            end = size - 1;
            break;
        }
        s.start[d] = start;
        s.end[d] = end;
        selected *= static_cast<std::int64_t>(end) - start + 1;
    }
    s.selected = static_cast<std::int32_t>(selected);
    return true;
}

std::int32_t element_number(const Value& var, const Subscripts& s, std::int32_t k)
{
    std::int32_t index[max_dimensions];
    for (int d = s.n - 1; d >= 0; --d) {
        std::int32_t length = s.end[d] - s.start[d] + 1;
        index[d] = s.start[d] + (length > 0 ? k % length : 0);
        if (length > 0)
            k /= length;
    }
    std::int64_t e = 0;
    for (int d = 0; d < s.n; ++d)
        e = e * dimension_size(var, d) + index[d];
    return static_cast<std::int32_t>(e);
}

}  // namespace korvan::kfl
