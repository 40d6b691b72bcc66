#pragma once

#include <QByteArray>

// Whether SQLite's write-ahead log holds committed changes that SQLite would
// drop without a word: a frame whose checksum fails (a flipped byte on the
// disk) with a commit after it. A last transaction cut short by a kill or a
// power cut is no damage: it was never committed.
bool LogLostCommits(const QByteArray& log);
