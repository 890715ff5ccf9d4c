// The libFuzzer entry of one target, named by KORVAN_FUZZ_TARGET when built
// (tests/fuzz/run_all.sh builds one binary per target with clang).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_targets.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const korvan::fuzz::Target* target = [] {
        korvan::fuzz::prepare_process();
        const korvan::fuzz::Target* t = korvan::fuzz::find_target(KORVAN_FUZZ_TARGET);
        korvan::fuzz::require(t != nullptr, "no target of that name");
        return t;
    }();
    target->run(korvan::fuzz::Bytes(data, size));
    return 0;
}
