// What must hold of every dialogue transcript, whatever the bytes on its input: the prompts
// printed so far and exactly one rejection message, or every prompt and the full report; never
// inf or nan; and an outcome that agrees with the text.
#pragma once

#include "scene.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Stage {
    std::string prompt;
    std::vector<std::string> rejections; // the messages that may follow this prompt
};

// Runs `dialogue` on the bytes, then aborts (a finding) unless the transcript is one of the
// allowed shapes. `reportLines` is the line count of the report after the last prompt.
template <typename Dialogue>
void checkTranscript(const std::uint8_t* data, std::size_t size, Dialogue dialogue,
                     const std::vector<Stage>& stages, std::size_t reportLines) {
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    char* text = nullptr;
    std::size_t textSize = 0;
    std::FILE* out = open_memstream(&text, &textSize);
    scene = Scene{};
    const bool accepted = dialogue(in, out);
    std::fclose(out);
    std::fclose(in);
    const std::string transcript(text, textSize);
    std::free(text);

    if (transcript.find("inf") != std::string::npos ||
        transcript.find("nan") != std::string::npos) {
        std::abort();
    }
    std::size_t at = 0;
    for (const Stage& stage : stages) {
        if (transcript.compare(at, stage.prompt.size(), stage.prompt) != 0) {
            std::abort();
        }
        at += stage.prompt.size();
        for (const std::string& message : stage.rejections) {
            if (transcript.compare(at, std::string::npos, message) == 0) {
                if (accepted) {
                    std::abort();
                }
                return;
            }
        }
    }
    std::size_t lines = 0;
    for (std::size_t i = at; i < transcript.size(); ++i) {
        lines += transcript[i] == '\n';
    }
    if (!accepted || lines != reportLines || transcript.back() != '\n') {
        std::abort();
    }
}
