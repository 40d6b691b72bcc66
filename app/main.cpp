// The timing interface on a real unit, through hidapi.
#include "hidapi_access.h"
#include "timer_application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    HidapiAccess hid;
    SteadyClock clock;
    TimerApplication app(hid, clock);
    QObject::connect(&app, &TimerApplication::exitRequested, &qapp, &QApplication::quit, Qt::QueuedConnection);
    app.Load();
    app.window().showCentred();
    return qapp.exec();
}
