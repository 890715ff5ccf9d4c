// Script runs compared with and without the statement cache: replayed
// statements that run from cached tokens, compiled expressions and statement
// plans must print exactly what the executor prints without them.
#pragma once

#include <string>

#include "interp/token_cache.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::test {

class CacheSession : public ScriptSession {
protected:
    void TearDown() override
    {
        kfl::allow_token_cache(true);
        ScriptSession::TearDown();
    }

    // The script's output with the cache, after checking it against a run without it.
    std::string run_both(const std::string& body)
    {
        kfl::allow_token_cache(false);
        std::string plain = run_script(body);
        reset_interpreter();
        kfl::front_end().inputs.record_number = 0;
        kfl::allow_token_cache(true);
        kfl::clear_token_cache();
        std::string cached = run_script(body);
        EXPECT_EQ(cached, plain) << body;
        return cached;
    }
};

}  // namespace korvan::test
