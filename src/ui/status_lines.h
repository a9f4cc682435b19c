// The two status lines above the board. The top one, ShowMessage, is the
// engine's (declared in frontend.h); the second one is the window's own.
#pragma once

#include "frontend.h"  // ShowMessage, OSTREL_PRINTF_FORMAT

// The second status line (control 1048): side to move and problem file.
void ShowFileLine(const char* format, ...) OSTREL_PRINTF_FORMAT(1, 2);
