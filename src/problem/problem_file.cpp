// The .ban problem file: a header line "* /t=<side> /mark=[<x>,<y>]" and the 19
// board rows, '1' black, '2' white, 'Z' a Z point, anything else empty.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "problem/problem.h"

namespace {

constexpr int32_t kLineBuffer = 512;  // at most 511 characters per read
constexpr char kMarkTag[] = "/mark=[";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal integer as a C reader takes it: leading blanks, an optional sign,
// digits up to the first non-digit, 0 without digits. Arithmetic wraps modulo
// 2^32, so no input can overflow.
int32_t readInteger(const char* text) {
    while (isBlank(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    uint32_t value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10u + static_cast<uint32_t>(*text - '0');
        ++text;
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}

void readHeader(const char* line) {
    if (std::strncmp(line, "* /t=1", 6) == 0) {
        sideToMove = kBlack;
    } else if (std::strncmp(line, "* /t=2", 6) == 0) {
        sideToMove = kWhite;
    }
    const char* mark = std::strstr(line, kMarkTag);
    if (mark == nullptr) {
        return;
    }
    const char* afterBracket = mark + sizeof kMarkTag - 1;
    const int32_t x = readInteger(afterBracket);
    const char* comma = std::strchr(afterBracket, ',');
    if (comma == nullptr) {
        return;
    }
    const int32_t y = readInteger(comma + 1);
    targetPoint = static_cast<int32_t>(static_cast<uint32_t>(x) + 20u * static_cast<uint32_t>(y));
}

void readBoardRow(const char* line, int32_t row) {
    const size_t length = std::strlen(line);
    for (int32_t x = 1; x <= kBoardSize; ++x) {
        const char c = static_cast<size_t>(x - 1) < length ? line[x - 1] : '\0';
        uint8_t cell = kEmpty;
        if (c == '1') {
            cell = kBlack;
        } else if (c == '2') {
            cell = kWhite;
        } else if (c == 'Z') {
            cell = kKoMark;
        }
        problemBoard[pointAt(x, row)] = cell;
    }
}

char cellCharacter(uint8_t cell) {
    const uint8_t colour = colourOf(cell);
    if (colour == kBlack) {
        return '1';
    }
    if (colour == kWhite) {
        return '2';
    }
    return (cell & kKoMark) ? 'Z' : '0';
}

#ifdef _WIN32

std::FILE* OpenRegularFileIn(const char* path, int32_t& code) {
    std::FILE* file = std::fopen(path, "r");
    code = file != nullptr ? kReadOk : kReadCannotOpen;
    return file;
}

#else

int32_t KindOfNonRegular(mode_t mode) {
    if (S_ISDIR(mode)) {
        return kReadDirectory;
    }
    if (S_ISFIFO(mode)) {
        return kReadFifo;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return kReadDevice;
    }
    return kReadNotAFile;
}

// Only a regular file is read. O_NONBLOCK keeps the open of a FIFO from
// waiting for a writer; the kind is known before anything is read.
std::FILE* OpenRegularFileIn(const char* path, int32_t& code) {
    code = kReadCannotOpen;
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status;
    if (fstat(fd, &status) != 0) {
        close(fd);
        return nullptr;
    }
    if (!S_ISREG(status.st_mode)) {
        close(fd);
        code = KindOfNonRegular(status.st_mode);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "r");
    if (file == nullptr) {
        close(fd);
        return nullptr;
    }
    code = kReadOk;
    return file;
}

#endif

}  // namespace

std::FILE* OpenRegularFile(const char* path, int32_t& code) {
    return OpenRegularFileIn(path, code);
}

const char* ReadFailureText(int32_t code) {
    switch (code) {
        case kReadDirectory: return "is a directory, not a problem file";
        case kReadFifo: return "is a FIFO, not a problem file";
        case kReadDevice: return "is a device, not a problem file";
        case kReadNotAFile: return "is not a regular file";
        default: return "cannot be opened";
    }
}

int32_t ReadProblemFile(const char* path) {
    resetProblem();
    int32_t code = kReadOk;
    std::FILE* file = OpenRegularFile(path, code);
    if (file == nullptr) {
        if (code == kReadCannotOpen) {
            std::fprintf(stderr, "%s: %s\n", path, std::strerror(errno));
        } else {
            std::fprintf(stderr, "%s: %s\n", path, ReadFailureText(code));
        }
        return code;
    }
    char line[kLineBuffer];
    int32_t row = 1;
    // A file that ends early leaves the rows not read empty.
    while (row <= kBoardSize && std::fgets(line, sizeof line, file) != nullptr) {
        if (line[0] == '*') {
            readHeader(line);
        } else {
            readBoardRow(line, row);
            row += 1;
        }
    }
    std::fclose(file);
    return 0;
}

namespace {

std::string ProblemText() {
    char header[64];
    std::snprintf(header, sizeof header, "* /t=%c /mark=[%d,%d]\r\n", sideToMove == kBlack ? '1' : '2',
                  targetPoint % 20, targetPoint / 20);
    std::string text = header;
    for (int32_t y = 1; y <= kBoardSize; ++y) {
        for (int32_t x = 1; x <= kBoardSize; ++x) {
            text += cellCharacter(problemBoard[pointAt(x, y)]);
        }
        text += "\r\n";
    }
    return text;
}

#ifndef _WIN32
// The mode of the file being replaced, or the one a plain create would give.
mode_t ModeForSave(const char* path) {
    struct stat existing;
    if (stat(path, &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(022);
    umask(mask);
    return 0666 & ~mask;
}
#endif

}  // namespace

#ifdef _WIN32

int32_t WriteFileReplacing(const char* path, const std::string& bytes) {
    // Binary mode: the line ends are written as given on every platform.
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return kWriteCannotOpen;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? 0 : kWriteFailed;
}

#else

// Written to a new file beside the target and renamed over it only once all
// of it is on disk, so a failed save leaves the old file as it was.
int32_t WriteFileReplacing(const char* path, const std::string& bytes) {
    std::string temporary = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return kWriteCannotOpen;
    }
    fchmod(fd, ModeForSave(path));
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(temporary.c_str());
        return kWriteCannotOpen;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && !std::ferror(file) && written;
    written = fsync(fd) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path) != 0) {
        unlink(temporary.c_str());
        return kWriteFailed;
    }
    return 0;
}

#endif

int32_t WriteProblemFile(const char* path) {
    return WriteFileReplacing(path, ProblemText());
}
