#include "commandline.h"

#include <cstdio>

namespace joyvant {

namespace {

// Options QGuiApplication and Qt Quick Controls read from the command line: the ones in
// the first list take a value as the next argument.
const char *const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
};
const char *const kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

bool isQtOption(const QString &name, bool *takesValue)
{
    for (const char *option : kQtOptionsWithValue) {
        if (name == QLatin1String(option)) {
            *takesValue = true;
            return true;
        }
    }
    for (const char *flag : kQtFlags) {
        if (name == QLatin1String(flag)) {
            *takesValue = false;
            return true;
        }
    }
    // -qmljsdebugger=port:1234 and -style=Material carry their value after '='.
    if (name.startsWith(QLatin1String("qmljsdebugger=")) || name.startsWith(QLatin1String("style="))) {
        *takesValue = false;
        return true;
    }
    return false;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.action = CommandLine::ShowHelp;
            return result;
        }
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
            result.action = CommandLine::ShowVersion;
            return result;
        }
        if (argument == QLatin1String("--"))
            break; // the rest is not ours to read
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            continue; // plain arguments are ignored, as they always were
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        bool takesValue = false;
        if (isQtOption(name, &takesValue)) {
            if (takesValue)
                ++i;
            continue;
        }
        result.action = CommandLine::Fail;
        result.unknownOption = argument;
        return result;
    }
    return result;
}

QString usageText()
{
    return QStringLiteral("Usage: joyvant [OPTION]\n"
                          "Joyvant, a gamepad tester: plug in up to four game controllers and test every\n"
                          "button, stick, trigger and vibration motor.\n"
                          "\n"
                          "  -h, --help     show this help and exit\n"
                          "  -v, --version  show the version and exit\n"
                          "\n"
                          "Qt's own options (-platform, -style, ...) are passed on to Qt.\n"
                          "Set JOYVANT_LOGTOFILE=1 to append every log line to log/gamepad.log in the\n"
                          "working directory. The scene list is read from scenes.json in the working\n"
                          "directory, or else from the one installed with the program.\n");
}

QString versionText()
{
    return QStringLiteral("joyvant " JOYVANT_VERSION "\n");
}

int handleCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = parseCommandLine(arguments);
    switch (commandLine.action) {
    case CommandLine::ShowHelp:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::ShowVersion:
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Fail:
        std::fprintf(stderr, "joyvant: unknown option '%s'\n", commandLine.unknownOption.toLocal8Bit().constData());
        std::fputs(usageText().toLocal8Bit().constData(), stderr);
        return 2;
    case CommandLine::Run:
        break;
    }
    return -1;
}

} // namespace joyvant
