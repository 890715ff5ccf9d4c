// A routine call allocates nothing per call through operator new once the
// binding's lists have grown: the argument slots and the matcher's lists are
// kept between calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "interp/executor.hpp"
#include "tests/unit/binding_test_support.hpp"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace korvan::test {
namespace {

class BindingSpeedTest : public BindingSession {};

TEST_F(BindingSpeedTest, CallsAllocateNothingPerCall)
{
    run({"METAFL('GKSV')", "KORINI()", "FLOAT X[3]", "GRAF(0, 10, 0, 2, 0, 5, 0, 1)"});
    const char* statements[] = {"HEIGHT(30)", "GETPAG(NX, NY)", "ANGLE(0)", "N = NXPOSN(2.5)",
                                "TICKS(2, 'X')", "XP = XPOSN(N)"};
    for (const char* s : statements)
        kfl::execute(s);  // the lists grow once
    ASSERT_EQ(console->output, "");
    long before = allocations.load();
    for (int i = 0; i < 1000; ++i) {
        for (const char* s : statements)
            kfl::execute(s);
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(console->output, "");
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

}  // namespace
}  // namespace korvan::test
