#pragma once

#include <QString>

// What the Help menu tells: the keys and facts an operator needs without the
// manual, and who made the libraries the program is built on.
namespace HelpText {

struct Keys {
    QString getMemory, undo, redo, bringBack, keptLists, results, importStartList;
};
QString KeysAndTips(const Keys& keys);

struct Versions {
    QString program, qt, hidapi, sqlite;
};
// `hidapi` empty: the program reaches no HID library (the demonstration).
QString About(const Versions& versions);

} // namespace HelpText
