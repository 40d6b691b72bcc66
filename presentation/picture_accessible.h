#pragma once

// Makes screen readers see the results picture as a list whose lines are the
// records shown; call once before the first picture is made.
void InstallPictureAccessibility();
