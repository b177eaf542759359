// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of kestra:
//
//   kestra [--port DEVICE | --simulate] [FILE.dat]
//   kestra --help | --version
#pragma once

#include <QString>
#include <QStringList>

namespace kestra {

struct CommandLine {
    QString file;          // a .dat file to open instead of a new document
    QString port;          // --port DEVICE, ahead of the settings file
    bool simulate = false; // --simulate: the virtual radio, in-process
    bool help = false;
    bool version = false;
    QString error;    // a usage error, for standard error
    QString helpText; // what --help prints
};

// arguments as QCoreApplication::arguments() gives them (program name first).
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace kestra
