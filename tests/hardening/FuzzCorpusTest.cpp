// The fuzz target's rules over its seed corpus and over what fuzzing found, in every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/ControlliCaricamento.h"

namespace elencario {
namespace {

TEST(FuzzCorpusTest, EverySeedKeepsTheRules) {
    int semi = 0;
    for (const auto& voce : std::filesystem::directory_iterator(ELENCARIO_CORPUS)) {
        std::ostringstream bytes;
        bytes << std::ifstream(voce.path(), std::ios::binary).rdbuf();
        EXPECT_EQ(ControllaCaricamento(bytes.str()), "") << voce.path().filename();
        ++semi;
    }
    EXPECT_GE(semi, 5);
}

}  // namespace
}  // namespace elencario
