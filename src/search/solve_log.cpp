#include "search/solve_log.h"

#include <cstdlib>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* kLogName = "tumego.txt";

#ifndef _WIN32
const char* AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : nullptr;
}
#endif

}  // namespace

#ifdef _WIN32

std::string SolveLogFolder() { return "c:\\tmp"; }

std::FILE* OpenSolveLog() { return std::fopen("c:\\tmp\\tumego.txt", "w"); }

#else

std::string SolveLogFolder() {
    if (const char* runtime = AbsoluteVariable("XDG_RUNTIME_DIR")) {
        return std::string(runtime) + "/ostrel";
    }
    if (const char* cache = AbsoluteVariable("XDG_CACHE_HOME")) {
        return std::string(cache) + "/ostrel";
    }
    if (const char* home = AbsoluteVariable("HOME")) {
        return std::string(home) + "/.cache/ostrel";
    }
    return "";
}

std::FILE* OpenSolveLog() {
    const std::string folder = SolveLogFolder();
    if (folder.empty()) {
        return nullptr;
    }
    // The cache folder itself may not exist yet on a fresh account.
    const std::string parent = folder.substr(0, folder.rfind('/'));
    mkdir(parent.c_str(), 0700);
    mkdir(folder.c_str(), 0700);

    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        return nullptr;
    }
    // Only a folder of this user that no one else may write to: anyone who
    // can add entries there could plant a link or a hard link.
    struct stat folderStat;
    if (fstat(dir, &folderStat) != 0 || folderStat.st_uid != geteuid() ||
        (folderStat.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        close(dir);
        return nullptr;
    }
    // O_NONBLOCK: a FIFO in the file's place fails at once instead of blocking.
    const int fd = openat(dir, kLogName,
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    close(dir);
    if (fd < 0) {
        return nullptr;
    }
    struct stat fileStat;
    if (fstat(fd, &fileStat) != 0 || !S_ISREG(fileStat.st_mode)) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "w");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

#endif
