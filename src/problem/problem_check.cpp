#include "problem/problem_check.h"

#include <cstdio>

#include "problem/problem.h"

namespace {

// Tab, line feed and carriage return are the only control bytes of a text
// file; bytes from 0x80 up belong to UTF-8 or Shift-JIS comments.
bool IsTextByte(int c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0x7F);
}

}  // namespace

ProblemFileFault CheckProblemFile(const char* path) {
    int32_t code = kReadOk;
    std::FILE* file = OpenRegularFile(path, code);
    switch (code) {
        case kReadOk: break;
        case kReadDirectory: return ProblemFileFault::Directory;
        case kReadFifo: return ProblemFileFault::Fifo;
        case kReadDevice: return ProblemFileFault::Device;
        case kReadNotAFile: return ProblemFileFault::NotRegular;
        default: return ProblemFileFault::None;
    }
    int64_t size = 0;
    bool text = true;
    bool header = false;
    bool lineStart = true;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        size += 1;
        if (size > kMaxProblemFileBytes) {
            std::fclose(file);
            return ProblemFileFault::TooLarge;
        }
        text = text && IsTextByte(c);
        header = header || (lineStart && c == '*');
        lineStart = c == '\n';
    }
    std::fclose(file);
    if (!text) {
        return ProblemFileFault::NotText;
    }
    return header ? ProblemFileFault::None : ProblemFileFault::NoHeader;
}
