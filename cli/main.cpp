// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// fieldcalc-cli: the calculator's model from the command line. It answers what the
// window answers, for one distance, a range of distances, the distance that gives
// a wanted field size, or the distance at which a part fits, as text, CSV or JSON.

#include "CliOutput.h"
#include "CliRequest.h"
#include "Utf8CharacterType.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

int usageError(const QString &message)
{
    writeText(stderr, message + QStringLiteral("\nTry 'fieldcalc-cli --help'.\n"));
    return UsageError;
}

// A stream closed by the caller (>&-) leaves its descriptor free, and the next file
// Qt opens would take it and receive our output. Hold it with /dev/null instead,
// and say whether standard output was closed.
bool holdClosedStandardStreams()
{
    bool outClosed = false;
#ifndef Q_OS_WIN
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        outClosed = outClosed || fd == 1;
        // Filled from the lowest up, so open() returns fd itself.
        open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
#endif
    return outClosed;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // The same bytes as on Linux: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const bool outClosed = holdClosedStandardStreams();
    useUtf8CharacterType();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fieldcalc-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FIELDCALC_VERSION));

    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(keepNegativeNumbersPositional(QCoreApplication::arguments())))
        return usageError(parser.errorText());
    // Through writeText rather than the parser's own output, which Windows'
    // console would read in its code page.
    const auto answer = [](const QString &text) {
        return writeText(stdout, text) && std::fflush(stdout) == 0 ? Success : WriteError;
    };
    if (parser.isSet(QStringLiteral("help")))
        return answer(parser.helpText());
    if (parser.isSet(QStringLiteral("version")))
        return answer(QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion() + QLatin1Char('\n'));

    CliRequest request;
    const CliStop stop = makeRequest(parser, request);
    for (const QString &warning : request.warnings)
        writeText(stderr, QStringLiteral("fieldcalc-cli: warning: ") + warning + QLatin1Char('\n'));
    if (stop.status == UsageError)
        return usageError(stop.message);
    if (stop.status == Refused) {
        writeText(stderr, stop.message);
        return Refused;
    }
    if (outClosed || !writeRows(stdout, request)) {
        const int error = outClosed ? EBADF : errno;
        writeText(stderr, QStringLiteral("fieldcalc-cli: cannot write: %1\n")
                              .arg(QString::fromLocal8Bit(std::strerror(error))));
        return WriteError;
    }
    return Success;
}
