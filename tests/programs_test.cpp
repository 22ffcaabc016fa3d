// The built programs as a user runs them: piped input, standard output, exit status.
#include "dialogue_cases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct Outcome {
    std::string output;
    int status;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

Outcome runProgram(const std::string& program, const std::string& input) {
    const std::string in = testing::TempDir() + "program_input.txt";
    const std::string out = testing::TempDir() + "program_output.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = "'" + program + "' < '" + in + "' > '" + out + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {readFile(out), WEXITSTATUS(raw)};
}

class TrimapProgram : public testing::TestWithParam<DialogueCase> {};

TEST_P(TrimapProgram, AnswersOnStandardOutputWithItsExitStatus) {
    const Outcome o = runProgram(TRIMAP_PATH, GetParam().input);
    EXPECT_EQ(GetParam().output, o.output);
    EXPECT_EQ(GetParam().accepted ? 0 : 1, o.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimapProgram, testing::ValuesIn(triangleCases), caseName);

class ParaquadProgram : public testing::TestWithParam<DialogueCase> {};

TEST_P(ParaquadProgram, AnswersOnStandardOutputWithItsExitStatus) {
    const Outcome o = runProgram(PARAQUAD_PATH, GetParam().input);
    EXPECT_EQ(GetParam().output, o.output);
    EXPECT_EQ(GetParam().accepted ? 0 : 1, o.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParaquadProgram, testing::ValuesIn(parallelogramCases), caseName);

} // namespace
