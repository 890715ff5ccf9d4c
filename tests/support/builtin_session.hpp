// A runtime session with the built-in functions installed, no open files and no
// data file, and access to the variables the statements made.
#pragma once

#include <string>

#include "interp/builtins.hpp"
#include "interp/data_file.hpp"
#include "interp/file_table.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/runtime_session.hpp"

namespace korvan::test {

class BuiltinSession : public RuntimeSession {
protected:
    void SetUp() override
    {
        RuntimeSession::SetUp();
        kfl::install_builtins();
        kfl::close_all_files();
        kfl::reset_data_file();
    }
    void TearDown() override
    {
        kfl::close_all_files();
        kfl::reset_data_file();
        RuntimeSession::TearDown();
    }

    // The variable of that name; a failed expectation and an empty record when there is none.
    const kfl::Value& var(const char* name)
    {
        int i = kfl::find_variable(name);
        EXPECT_GE(i, 0) << name;
        static const kfl::Value none{};
        return i >= 0 ? kfl::variable(i) : none;
    }

    // The element block of an array variable as bytes.
    std::string bytes(const char* name)
    {
        const kfl::Value& v = var(name);
        std::size_t size = static_cast<std::size_t>(v.count) * static_cast<std::size_t>(kfl::element_size(v.type));
        return v.slot.block == nullptr ? std::string() : std::string(static_cast<const char*>(v.slot.block), size);
    }
};

}  // namespace korvan::test
