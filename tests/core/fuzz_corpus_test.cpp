// Every input the fuzzer kept stays a regression test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/fuzz_body.h"

namespace tw {
namespace {

TEST(FuzzCorpus, EveryKeptInputPasses) {
    const std::filesystem::path corpus = std::filesystem::path(TEST_DATA_DIR) / "fuzz" / "corpus";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        FuzzOne(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace tw
