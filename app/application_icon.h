#pragma once

#include <QIcon>

// The program's icon at every size it was rendered at.
QIcon ApplicationIcon();
