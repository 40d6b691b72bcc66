#include "app/console_output.h"

#include <cstdio>

#include <windows.h>

void UseStartingConsole()
{
    // Given a file or a pipe (a script's redirection): that is where it goes.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
        return;
    // Started from a terminal: a program built without a console writes to
    // none unless it joins the terminal's.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}
