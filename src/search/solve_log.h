// The solve's log file, tumego.txt: created empty at each solve by worker 0
// and closed at its end. It lives in a folder only the user can write to and
// is never opened through a link, so a solve cannot be made to empty another
// file.
#pragma once

#include <cstdio>
#include <string>

// The folder of the log file: $XDG_RUNTIME_DIR/ostrel, else
// $XDG_CACHE_HOME/ostrel, else ~/.cache/ostrel (only absolute values count);
// empty when none can be named.
std::string SolveLogFolder();

// Creates the folder (mode 700) when needed and opens tumego.txt in it,
// emptied. Null whenever that cannot be done safely; the solve goes on without.
std::FILE* OpenSolveLog();
