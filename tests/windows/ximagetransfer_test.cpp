#include "ximagetransfer.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

// Puts the variable back as it was, so the other tests see the environment they started with.
class SavedVariable {
public:
    SavedVariable()
        : m_wasSet(qEnvironmentVariableIsSet(name))
        , m_value(qgetenv(name)) {}
    ~SavedVariable() {
        if (m_wasSet)
            qputenv(name, m_value);
        else
            qunsetenv(name);
    }
    static constexpr const char* name = "QT_XCB_NO_MITSHM";

private:
    bool m_wasSet;
    QByteArray m_value;
};

} // namespace

TEST(XImageTransfer, TurnsSharedMemoryOffUnlessTheUserChoseOtherwise) {
    SavedVariable saved;
    qunsetenv(SavedVariable::name);
    preferSocketImageTransfer();
    EXPECT_EQ(qgetenv(SavedVariable::name), "1");

    // Someone who wants shared memory back sets the variable to 0 (or empty) themselves.
    for (const QByteArray& choice : {QByteArray("0"), QByteArray("")}) {
        qputenv(SavedVariable::name, choice);
        preferSocketImageTransfer();
        EXPECT_EQ(qgetenv(SavedVariable::name), choice);
        EXPECT_TRUE(qEnvironmentVariableIsSet(SavedVariable::name));
    }
}
