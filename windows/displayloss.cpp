#include "displayloss.h"

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace {

QtMessageHandler writeMessage = nullptr;
void (*endProgram)(int) = nullptr;
std::mutex writing;
bool lossWritten = false;

void endWhenTheConnectionBreaks(QtMsgType type, const QMessageLogContext& context,
                                const QString& message) {
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("The Wayland connection "))) {
        writeMessage(type, context, message);
        return;
    }
    {
        // A thread that warns while another writes waits, so that the one line is whole when
        // either of them ends the program.
        const std::lock_guard lock(writing);
        if (!std::exchange(lossWritten, true))
            writeMessage(type, context, message);
    }
    endProgram(EXIT_FAILURE);
}

} // namespace

void endWhenTheWaylandDisplayGoes(void (*end)(int status)) {
    const std::lock_guard lock(writing);
    lossWritten = false;
    endProgram = end;
    writeMessage = qInstallMessageHandler(endWhenTheConnectionBreaks);
}
