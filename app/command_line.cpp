#include "app/command_line.h"

#include "app/console_output.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

std::optional<int> AnswerCommandLine(int argc, char** argv, const char* description)
{
    // Nothing to answer: the window opens, and nothing is said.
    if (argc <= 1)
        return std::nullopt;
    UseStartingConsole();
    // A core application only: no display is needed to say what the program is.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TRIVEX_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    // Not addHelpOption(): its --help-all lists the toolkit's options, which
    // the program does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    // "-platform" is one unknown option, not eight one-letter ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.errorText()), qPrintable(QCoreApplication::applicationName()));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: takes no arguments (\"%s\")\nTry '%s --help'.\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(parser.positionalArguments().first()),
                     qPrintable(QCoreApplication::applicationName()));
        return 2;
    }
    if (parser.isSet(help)) {
        // The program as it is called, not the folder it happens to be in.
        QString text = parser.helpText();
        const qsizetype lineEnd = text.indexOf('\n');
        text.replace(0, lineEnd, QStringLiteral("Usage: %1 [options]").arg(QCoreApplication::applicationName()));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), TRIVEX_VERSION);
        return 0;
    }
    return std::nullopt;
}
