#pragma once

// The program's name on its message boxes; the main window's caption is this
// followed by " Window".
inline constexpr const char* ApplicationTitle = "Trivex Timing Interface";
