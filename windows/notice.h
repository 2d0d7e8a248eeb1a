#pragma once

#include <QWidget>

// Something a screen reader says once, unasked: a widget that draws nothing and that readers
// take for a notification, which they speak whenever it is shown.
class Notice : public QWidget {
    Q_OBJECT

public:
    explicit Notice(QWidget* parent = nullptr);

    // Shows the text anew, so that it is spoken even when it is what was said before.
    void notify(const QString& text);
};
