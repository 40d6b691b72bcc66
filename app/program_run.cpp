#include "app/program_run.h"

#include "app/process_end.h"
#include "app/timer_application.h"

#include <QApplication>
#include <QStandardPaths>

QString KeptListsFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

int RunTimerProgram(QApplication& qapp, TimerApplication& app)
{
    QObject::connect(&app, &TimerApplication::exitRequested, &qapp, &QApplication::quit, Qt::QueuedConnection);
    app.Load();
    app.window().showCentred();
    return FinishTimerProgram(app, qapp.exec());
}

int FinishTimerProgram(TimerApplication& app, int code, std::chrono::milliseconds patience)
{
    // Windows cannot cut the drawing of pages on a spooler that hangs short.
    if (!app.stopPrinting(patience))
        EndProcessNow(code);
    return code;
}
