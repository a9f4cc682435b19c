#include <cstdarg>
#include <cstdio>

#include "frontend.h"

void ReportFatal(const char* format, ...) {
    char message[256];  // vsnprintf never writes past it
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    ShowFatalBox(message);
}
