#include "support/guest_system.h"

#include <QDir>
#include <QFile>
#include <QProcess>

bool SystemDriverHoldsTheUnit()
{
    return !QDir("/sys/bus/usb/drivers/cypress_m8").entryList({"*:*"}, QDir::AllEntries | QDir::System).isEmpty();
}

bool ProgramAloneHasTheUnit() { return !SystemDriverHoldsTheUnit() && !QFile::exists("/dev/ttyUSB0"); }

int SystemDriverTakeovers()
{
    QProcess dmesg;
    dmesg.start("dmesg", QStringList());
    dmesg.waitForFinished(10000);
    return static_cast<int>(dmesg.readAllStandardOutput().count("cypress_m8 converter now attached"));
}
