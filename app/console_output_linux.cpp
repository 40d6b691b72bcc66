#include "app/console_output.h"

// The terminal's own output is the program's standard output already.
void UseStartingConsole() {}
