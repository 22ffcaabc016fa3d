// Both dialogues in-process, on the streams they are handed.
#include "dialogue_cases.h"
#include "parallelogram_dialogue.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Transcript {
    std::string output;
    bool accepted;
};

// Runs a dialogue with `input` on a real FILE and collects what it printed.
template <typename Dialogue> Transcript converse(Dialogue dialogue, const std::string& input) {
    std::FILE* in = std::tmpfile();
    std::fputs(input.c_str(), in);
    std::rewind(in);
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    const bool accepted = dialogue(in, out).has_value();
    std::fclose(out);
    std::fclose(in);
    Transcript transcript{std::string(buffer, size), accepted};
    std::free(buffer);
    return transcript;
}

class TriangleDialogue : public testing::TestWithParam<DialogueCase> {};

TEST_P(TriangleDialogue, PrintsExactlyTheExpectedText) {
    const Transcript t = converse(runTriangleDialogue, GetParam().input);
    EXPECT_EQ(GetParam().output, t.output);
    EXPECT_EQ(GetParam().accepted, t.accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, TriangleDialogue, testing::ValuesIn(triangleCases), caseName);

class ParallelogramDialogue : public testing::TestWithParam<DialogueCase> {};

TEST_P(ParallelogramDialogue, PrintsExactlyTheExpectedText) {
    const Transcript t = converse(runParallelogramDialogue, GetParam().input);
    EXPECT_EQ(GetParam().output, t.output);
    EXPECT_EQ(GetParam().accepted, t.accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParallelogramDialogue, testing::ValuesIn(parallelogramCases),
                         caseName);

TEST(TriangleDialogue, HandsOnWhatItPrinted) {
    std::FILE* in = std::tmpfile();
    std::fputs("0 0 1 0 0 1 1 1 3 1 1 4", in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    const std::optional<TriangleMapReport> r = runTriangleDialogue(in, out);
    std::fclose(in);
    std::fclose(out);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(3.0f, r->map.m[4]);
    EXPECT_EQ(3.0f, r->imageB.x);
    EXPECT_EQ(4.0f, r->imageC.y);
    EXPECT_EQ(1.0f, r->a2.x);
}

TEST(FourthVertex, IsTheCrossingOfTheParallelSides) {
    const Point d = fourthVertex({0, 0}, {3, 0}, {4, 2});
    EXPECT_EQ(1.0f, d.x);
    EXPECT_EQ(2.0f, d.y);
    EXPECT_EQ(Black, d.colour);
}

TEST(FourthVertex, NearlyParallelSidesFallBackToTheVectorSum) {
    const Point d = fourthVertex({0, 0}, {100, 0}, {200, 0.1f});
    EXPECT_EQ(100.0f, d.x);
    EXPECT_EQ(0.1f, d.y);
}

} // namespace
