// The program's command line. Without arguments the program works on files/ below the working
// folder; --user-folder makes the per-user data folder the working folder; --help and --version
// print their text and end the run before any window opens. Anything else is refused.
#pragma once

#include <QString>
#include <QStringList>

struct StartOptions {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    bool userFolder = false;
    // What to print: the help or version text for standard output, the refusal for standard
    // error; empty for Run.
    QString text;

    // The exit code when the run ends at once: 0 after help or version, 2 after a refusal.
    int exitCode() const { return action == Action::Refuse ? 2 : 0; }
};

// Reads the arguments as QCoreApplication::arguments() gives them (the program's path first).
StartOptions parseStartOptions(const QStringList& arguments);
