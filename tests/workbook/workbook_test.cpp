#include "workbook/workbook.h"

#include "support/workbook_cells.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

// A comma-decimal locale for LC_NUMERIC, as the user's Qt would set it;
// on Linux made for the test where the system has none. Empty: none here.
std::string CommaDecimalLocale(const QString& folder)
{
    auto commaDecimal = [](const char* name) {
        if (!std::setlocale(LC_NUMERIC, name))
            return false;
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        return text[1] == ',';
    };
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"})
        if (commaDecimal(name))
            return name;
    if (QProcess::execute(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"),
                                                        QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                        folder + QStringLiteral("/de_DE.UTF-8")})
        >= 0) {
        qputenv("LOCPATH", folder.toLocal8Bit());
        if (commaDecimal("de_DE.UTF-8"))
            return "de_DE.UTF-8";
    }
    std::setlocale(LC_NUMERIC, "C");
    return {};
}

// Numbers, durations and times of day are typed cells with a point for a
// decimal point whatever LC_NUMERIC says, and text that looks like a
// formula is text.
TEST(Workbook, TypedCellsWhateverTheLocale)
{
    QTemporaryDir dir;
    const std::string comma = CommaDecimalLocale(dir.path());
    for (const std::string& locale : {std::string("C"), comma}) {
        if (locale.empty())
            continue;
        std::setlocale(LC_NUMERIC, locale.c_str());
        Workbook book;
        book.addSheet(QStringLiteral("Results: heat 1/2"));
        book.header(0, QStringLiteral("Seconds"));
        book.decimal(1, 0, 300.057, 3);
        book.duration(1, 1, 3723450);
        book.timeOfDay(1, 2, 12 * 3600000);
        book.number(1, 3, 1.5);
        book.text(1, 4, QStringLiteral("=HYPERLINK(\"x\")"));
        book.text(1, 5, QStringLiteral("Zo\u00eb"));
        QString why;
        const auto bytes = book.bytes(&why);
        ASSERT_TRUE(bytes) << why.toStdString();
        EXPECT_EQ(WorkbookCells(*bytes).join(QLatin1Char(' ')).toStdString(),
                  "A1=\"Seconds\" A2=300.057 B2=0.04309548611111111 C2=0.5 D2=1.5 E2=\"=HYPERLINK(\"x\")\" "
                  "F2=\"Zo\u00eb\"")
            << locale;
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        EXPECT_EQ(std::string(text), locale == "C" ? "1.5" : "1,5") << "the locale is as it was before";
    }
    std::setlocale(LC_NUMERIC, "C");
    if (comma.empty())
        GTEST_SKIP() << "no comma-decimal locale here: the C locale alone was checked";
}

} // namespace
