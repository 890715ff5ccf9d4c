// libFuzzer target: every input line is executed as a KFL statement.
//   tests/fuzz/build_fuzzer.sh builds it with clang.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "interp/front_end.hpp"
#include "plat/console.hpp"
#include "plot/win/driver.hpp"
#include "tests/fuzz/statement_fuzz_setup.hpp"

namespace {
class NullConsole final : public korvan::plat::Console {
public:
    void write_output(std::string_view) override {}
    void message_box(std::string_view, std::string_view) override {}
    bool read_input_line(std::string&) override { return false; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        korvan::plat::set_console(std::make_unique<NullConsole>());
        korvan::win::start(true);
        korvan::kfl::front_end().interactive = true;
        return true;
    }();
    (void)ready;
    korvan::fuzz::prepare_statement_fuzzing();
    korvan::fuzz::run_statements(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
