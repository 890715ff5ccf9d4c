// Feeds every file of the committed corpora to its target, as the fuzzer
// would: a reader that crashes, hangs or breaks a promise fails the run.
//   fuzz_replay <corpora directory> [target ...]
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_targets.hpp"

namespace {

std::vector<std::filesystem::path> corpus_of(const std::filesystem::path& dir)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_replay <corpora directory> [target ...]\n");
        return 2;
    }
    const std::filesystem::path corpora = std::filesystem::absolute(argv[1]);
    std::vector<const korvan::fuzz::Target*> chosen;
    for (int i = 2; i < argc; ++i) {
        const korvan::fuzz::Target* t = korvan::fuzz::find_target(argv[i]);
        if (t == nullptr) {
            std::fprintf(stderr, "fuzz_replay: no target %s\n", argv[i]);
            return 2;
        }
        chosen.push_back(t);
    }
    if (chosen.empty())
        for (const korvan::fuzz::Target& t : korvan::fuzz::targets())
            chosen.push_back(&t);
    korvan::fuzz::prepare_process();
    int status = 0;
    for (const korvan::fuzz::Target* target : chosen) {
        std::vector<std::filesystem::path> files = corpus_of(corpora / target->name);
        if (files.empty()) {
            std::fprintf(stderr, "fuzz_replay: the corpus of %s is empty\n", target->name);
            status = 1;
        }
        for (const std::filesystem::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            target->run(korvan::fuzz::Bytes(bytes.data(), bytes.size()));
        }
        std::printf("%s: %zu inputs\n", target->name, files.size());
    }
    return status;
}
