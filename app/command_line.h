#pragma once

#include <optional>

// The program takes nothing from its command line but --help and --version,
// which are answered without a display. Returns the exit code when the
// program is to end here, nothing when it is to go on and open its window.
std::optional<int> AnswerCommandLine(int argc, char** argv, const char* description);
