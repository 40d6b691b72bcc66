#pragma once

class QCoreApplication;
class QLocale;

// Installs the program's catalogue for `locale`, and Qt's own for the
// standard dialogs' buttons. Without one for that language the texts stay
// as written, in English. Before any window is made: each takes its words
// as it is built.
void InstallTranslations(QCoreApplication& app, const QLocale& locale);
