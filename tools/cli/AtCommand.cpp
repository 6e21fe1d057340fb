// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli at 'COMMAND': one transaction, for diagnosis.

#include "CliCommand.h"
#include "link/SerialPort.h"
#include "platform/Notice.h"

namespace {

QString visible(const QByteArray& answer) {
    QString text = QString::fromLatin1(answer);
    text.replace("\r", "\\r").replace("\n", "\\n");
    return text;
}

int runAt(CliContext& context, const QStringList& arguments) {
    if (arguments.size() != 1 || arguments[0].isEmpty()) {
        return context.usageError("at takes exactly one command line, e.g. at 'at+cgmi'");
    }
    QByteArray command = arguments[0].toLatin1();
    if (!command.endsWith('\r')) {
        command += '\r';
    }
    // Only the port is opened: no reset or identification before the command.
    SerialPort port(static_cast<quint8>(context.resolvedPortNumber()), 38400, 8, 0, 0, 0);
    port.setDevicePath(context.devicePath);
    port.notices().setReporter(showNotice);
    const bool opened = port.Open() != 0;
    QByteArray answer;
    const int code = port.Transact(command, answer);
    context.out() << "code: " << code << "\n" << visible(answer) << "\n";
    context.out().flush();
    return opened && code == kTransactComplete ? 0 : 1;
}

CliCommandRegistrar registrar({"at", "at 'COMMAND'",
                               "Sends one AT command line (the carriage return is added when "
                               "missing) and prints the result code and the answer, with CR "
                               "and LF shown as \\r and \\n (exit 0 on code 0).",
                               runAt});

}  // namespace
