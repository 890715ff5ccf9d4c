// Replays the committed fuzzing corpus: every statement must run to its end
// without a crash and leave the evaluation stack empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "interp/eval_stack.hpp"
#include "interp/executor.hpp"
#include "tests/fuzz/statement_fuzz_setup.hpp"
#include "tests/support/runtime_session.hpp"

#ifndef KORVAN_SOURCE_DIR
#error "KORVAN_SOURCE_DIR must name the source tree"
#endif

namespace korvan::kfl {
namespace {

using RuntimeCorpusTest = test::RuntimeSession;

std::vector<std::filesystem::path> corpus_files()
{
    std::vector<std::filesystem::path> files;
    std::filesystem::path dir = std::filesystem::path(KORVAN_SOURCE_DIR) / "tests/fuzz/corpora/statement";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(RuntimeCorpusTest, EveryCorpusInputRunsCleanly)
{
    std::vector<std::filesystem::path> files = corpus_files();
    ASSERT_GE(files.size(), 20u);
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        fuzz::prepare_statement_fuzzing();
        fuzz::run_statements(bytes.str());
        EXPECT_EQ(stack_depth(), 0) << path;
    }
    // The corpus makes the runtime report its messages; it also prints values.
    EXPECT_NE(console->output.find(" >>>> "), std::string::npos);
}

}  // namespace
}  // namespace korvan::kfl
