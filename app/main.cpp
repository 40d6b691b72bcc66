// The timing interface on a real unit, through hidapi.
#include "hidapi_access.h"
#include "timer_application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    SteadyClock clock;
    HidapiAccess hid(clock);
    TimerApplication app({.hid = hid, .clock = clock});
    QObject::connect(&app, &TimerApplication::exitRequested, &qapp, &QApplication::quit, Qt::QueuedConnection);
    app.Load();
    app.window().showCentred();
    return qapp.exec();
}
