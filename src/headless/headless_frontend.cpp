#include "headless/headless_frontend.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "frontend.h"

namespace {

std::mutex recordLock;
HeadlessRecord record;
bool echoMessages = false;

}  // namespace

void HeadlessReset() {
    std::lock_guard<std::mutex> hold(recordLock);
    record = HeadlessRecord{};
}

HeadlessRecord HeadlessSnapshot() {
    std::lock_guard<std::mutex> hold(recordLock);
    return record;
}

void HeadlessEchoMessages(bool on) {
    std::lock_guard<std::mutex> hold(recordLock);
    echoMessages = on;
}

void ShowFatalBox(const char* message) {
    std::fputs(message, stderr);
    std::fflush(stderr);
    std::fflush(stdout);
    // Other threads may still be searching: end at once, without running
    // static destructors under their feet.
    std::_Exit(1);
}

void ShowSolveOutcome(const SolveOutcome& outcome) {
    std::lock_guard<std::mutex> hold(recordLock);
    record.outcomesShown += 1;
    record.outcome = outcome;
}

void ShowMessage(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::lock_guard<std::mutex> hold(recordLock);
    record.lastMessage = text;
    if (echoMessages) {
        std::fprintf(stderr, "%s\n", text);
    }
}
