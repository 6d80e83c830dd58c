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

// "auto", or a scale from kMinSceneScale to 1; -1 for anything else.
double sceneScaleValue(const QString &text)
{
    if (text == QLatin1String("auto"))
        return 0.0;
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !(scale >= kMinSceneScale && scale <= 1.0))
        return -1.0;
    return scale;
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
        if (name == QLatin1String("scene-scale") || name.startsWith(QLatin1String("scene-scale="))) {
            const bool withValue = name.contains(QLatin1Char('='));
            if (!withValue && i + 1 >= arguments.size()) {
                result.action = CommandLine::Fail;
                result.unknownOption = argument;
                result.error = QStringLiteral("%1 needs a value: auto, or a scale from 0.25 to 1").arg(argument);
                return result;
            }
            const QString value = withValue ? name.section(QLatin1Char('='), 1) : arguments.at(++i);
            const double scale = sceneScaleValue(value);
            if (scale < 0.0) {
                result.action = CommandLine::Fail;
                result.unknownOption = argument;
                result.error = QStringLiteral("invalid value '%1' for %2: auto, or a scale from 0.25 to 1")
                                   .arg(value, argument);
                return result;
            }
            result.sceneScale = scale;
            continue;
        }
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
                          "  --scene-scale SCALE\n"
                          "                 size of the background scene's picture: auto (the default)\n"
                          "                 draws it smaller and less often where the renderer does not\n"
                          "                 keep up with the test view; a scale from 0.25 to 1 fixes its\n"
                          "                 width and height at that share of the window's, drawn with\n"
                          "                 every frame (1: the full picture, whatever it costs)\n"
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

int handleCommandLine(int argc, char **argv, CommandLine *parsed)
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
        if (commandLine.error.isEmpty())
            std::fprintf(stderr, "joyvant: unknown option '%s'\n", commandLine.unknownOption.toLocal8Bit().constData());
        else
            std::fprintf(stderr, "joyvant: %s\n", commandLine.error.toLocal8Bit().constData());
        std::fputs(usageText().toLocal8Bit().constData(), stderr);
        return 2;
    case CommandLine::Run:
        break;
    }
    if (parsed)
        *parsed = commandLine;
    return -1;
}

} // namespace joyvant
