#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

// The result window: the six values of a finished drill, one per row, and an
// OK button that closes and destroys the window.
class KSReport : public QWidget {
    Q_OBJECT

public:
    // The value labels, in the order of their rows.
    enum class Value { TN, Miss, Time, Speed, Exactity, Eval };

    KSReport();

    void setCaption(Value value, const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();

    std::array<QLabel*, 6> m_values{};
    QPushButton* m_command1 = nullptr;
};
