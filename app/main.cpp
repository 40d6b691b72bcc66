// The timing interface on a real unit, through hidapi.
#include "device/hidapi_access.h"
#include "app/command_line.h"
#include "device/background_search.h"
#include "app/program_run.h"
#include "app/timer_application.h"
#include "app/translations.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    if (const auto answered = AnswerCommandLine(argc, argv, "Downloads, orders, prints and exports the records of a race-timing unit on USB."))
        return *answered;
    QApplication qapp(argc, argv);
    InstallTranslations(qapp, QLocale());
    SteadyClock clock;
    HidapiAccess hid(clock);
    BackgroundSearch search(hid);
    TimerApplication app({.hid = search, .clock = clock, .listsFolder = KeptListsFolder()});
    return RunTimerProgram(qapp, app);
}
