#pragma once

#include <chrono>

class QApplication;
class QString;
class TimerApplication;

// How long the end of the program waits for a print still being handed over.
inline constexpr std::chrono::milliseconds PrintPatienceAtEnd{500};

// Where the operator's lists are kept: the user's own data folder of this
// program (under ~/.local/share, or %LOCALAPPDATA% on Windows).
QString KeptListsFolder();

// Starts the program and runs its window until the operator ends it ("Exit"
// or the window's close); returns the exit code.
int RunTimerProgram(QApplication& qapp, TimerApplication& app);

// The end, once the window is gone: a print that the print system still
// holds after `patience` no longer matters, and is left behind by ending the
// process here and now. Otherwise returns `code`.
int FinishTimerProgram(TimerApplication& app, int code, std::chrono::milliseconds patience = PrintPatienceAtEnd);
