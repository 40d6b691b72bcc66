// The timing interface on an emulated unit holding a sample race, paced in
// real time, so a download can be seen without hardware.
#include "emulator/emulated_hid.h"
#include "emulator/sample_race.h"
#include "app/command_line.h"
#include "device/background_search.h"
#include "app/program_run.h"
#include "app/timer_application.h"
#include "app/translations.h"

#include <QApplication>
#include <QLocale>
#include <QTime>

namespace {

// The sample race started an hour ago, or at the time of day that
// TRIVEX_DEMO_RACE_START gives (hh:mm:ss), so two demos can list the same race.
std::uint32_t RaceStart()
{
    const QTime given = QTime::fromString(qEnvironmentVariable("TRIVEX_DEMO_RACE_START"), QStringLiteral("HH:mm:ss"));
    return given.isValid() ? static_cast<std::uint32_t>(given.msecsSinceStartOfDay()) : DayOffsetAnHourAgo();
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto answered = AnswerCommandLine(argc, argv, "The timing interface on an emulated timing unit that holds a sample race, for a look without hardware."))
        return *answered;
    QApplication qapp(argc, argv);
    InstallTranslations(qapp, QLocale());
    SteadyClock clock;
    EmulatedUnit unit(clock, SampleRace(RaceStart()));
    EmulatedHidAccess hid(EmulatedHidAccess::Pacing::RealTime);
    hid.addOtherDevice("usb-keyboard", 0x046D, 0xC31C);
    hid.addUnit("emulated-timing-unit", unit);
    BackgroundSearch search(hid);
    TimerApplication app({.hid = search, .clock = clock, .listsFolder = KeptListsFolder()});
    return RunTimerProgram(qapp, app);
}
