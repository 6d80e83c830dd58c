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
};

CommandLine parseCommandLine(const QStringList &arguments);

// The usage text printed by --help and, on stderr, for an unknown option.
QString usageText();
QString versionText();

// Handles --help, --version and unknown options before any Qt application exists, so
// they work without a display. Returns the exit code to end with, or -1 to go on.
int handleCommandLine(int argc, char **argv);

} // namespace joyvant
