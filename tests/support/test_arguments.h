#pragma once

#include <QCoreApplication>
#include <QString>

// The value of "--name=value" on the test program's command line, where a
// test runs as another test's child; empty when it is not there.
inline QString TestArgument(const QString& name)
{
    const QString flag = QStringLiteral("--%1=").arg(name);
    for (const QString& a : QCoreApplication::arguments())
        if (a.startsWith(flag))
            return a.mid(flag.size());
    return {};
}
