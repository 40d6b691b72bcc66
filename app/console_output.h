#pragma once

// Makes what --help and --version print reach whoever started the program:
// the standard output it was given, or else, for a Windows program that has
// no console of its own, the console of the terminal it was started from.
void UseStartingConsole();
