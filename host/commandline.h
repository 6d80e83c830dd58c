#pragma once

#include <QString>
#include <QStringList>

namespace joyvant {

// What the program's own command line asks for. Qt's options (-platform, -style, ...)
// are left to Qt; anything else that starts with a dash is an error.
struct CommandLine
{
    enum Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Run;
    QString unknownOption; // set when action is Fail
    QString error; // what is wrong with the option, when action is Fail
    // --scene-scale: 0 lets the background scene's picture size and rate follow what the
    // renderer manages; a value from 0.25 to 1 fixes the size and draws it every frame.
    double sceneScale = 0.0;
};

// The lowest fixed scene scale --scene-scale takes.
constexpr double kMinSceneScale = 0.25;

CommandLine parseCommandLine(const QStringList &arguments);

// The usage text printed by --help and, on stderr, for an unknown option.
QString usageText();
QString versionText();

// Handles --help, --version and unknown options before any Qt application exists, so
// they work without a display. Returns the exit code to end with, or -1 to go on; then
// `parsed`, when given, holds what the command line asks for.
int handleCommandLine(int argc, char **argv, CommandLine *parsed = nullptr);

} // namespace joyvant
