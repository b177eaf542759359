// SPDX-License-Identifier: GPL-3.0-or-later
// Runs kestra-cli (KESTRA_CLI_PATH, or another copy of it) as its own process
// and reads and writes the files it works on.
#pragma once

#include <QProcess>
#include <QStringList>

#include <cstring>
#ifndef _WIN32
#include <locale.h>
#include <string.h>
#endif

#include "core/image/radio_image.h"
#include "support/image_bytes.h"

namespace kestra::testing {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program with args; stdoutFile, when given, takes its standard
// output; env, when given, is its environment. A run that does not end
// within limitMs is killed and reported as exit -1.
inline Run CliTo(const QString& program, const QStringList& args, const QString& stdoutFile,
                 int limitMs = 30000, const QProcessEnvironment& env = QProcessEnvironment()) {
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(limitMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The system's reason for error in an English run, whatever the locale the
// tests run under (the suite's German one too).
inline QString EnglishReason(int error) {
#ifdef _WIN32
    return QString::fromLocal8Bit(std::strerror(error));
#else
    const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t(0));
    const QString reason = QString::fromLocal8Bit(::strerror_l(error, c));
    ::freelocale(c);
    return reason;
#endif
}

inline Run Cli(const QStringList& args, const QString& program = KESTRA_CLI_PATH) {
    return CliTo(program, args, QString());
}

using test::Bytes;
using test::ReadAll;
using test::WriteAll;

inline RadioImage FromBytes(const QByteArray& data) {
    RadioImage image;
    std::memcpy(image.data(), data.constData(),
                std::min<std::size_t>(kImageSize, static_cast<std::size_t>(data.size())));
    return image;
}

} // namespace kestra::testing
