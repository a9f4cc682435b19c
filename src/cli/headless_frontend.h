// The headless front end: what a solve shows is recorded here instead of being
// drawn, so that the command-line solver can print it and tests can read it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct HeadlessBox {
    std::string text;
    std::string caption;
};

struct HeadlessLabel {
    int32_t column;
    int32_t row;
    std::string label;
};

struct HeadlessRecord {
    std::vector<HeadlessBox> boxes;
    std::vector<HeadlessLabel> labels;
    int32_t boardsDrawn = 0;
    int32_t targetColumn = 0;
    int32_t targetRow = 0;
    std::string lastMessage;
};

// Clears everything recorded so far.
void HeadlessReset();
// A copy of what has been recorded (safe to call while a solve runs).
HeadlessRecord HeadlessSnapshot();
// When on, every status-line message is also written to stderr (one line each).
void HeadlessEchoMessages(bool on);
