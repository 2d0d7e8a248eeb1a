#include "ximagetransfer.h"

#include <QByteArray>
#include <QtGlobal>

void preferSocketImageTransfer() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
