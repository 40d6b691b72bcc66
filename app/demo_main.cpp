// The timing interface on an emulated unit holding a sample race, paced in
// real time, so a download can be seen without hardware.
#include "emulator/emulated_hid.h"
#include "emulator/sample_race.h"
#include "app/command_line.h"
#include "device/background_search.h"
#include "app/program_run.h"
#include "app/timer_application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const auto answered = AnswerCommandLine(argc, argv, "The timing interface on an emulated timing unit that holds a sample race, for a look without hardware."))
        return *answered;
    QApplication qapp(argc, argv);
    SteadyClock clock;
    EmulatedUnit unit(clock, SampleRace(DayOffsetAnHourAgo()));
    EmulatedHidAccess hid(EmulatedHidAccess::Pacing::RealTime);
    hid.addOtherDevice("usb-keyboard", 0x046D, 0xC31C);
    hid.addUnit("emulated-timing-unit", unit);
    BackgroundSearch search(hid);
    TimerApplication app({.hid = search, .clock = clock});
    return RunTimerProgram(qapp, app);
}
