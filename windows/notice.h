#pragma once

#include <QWidget>

// Something a screen reader says once, unasked, on behalf of the object it is about. With Qt 6.8
// and later it is an announcement, which readers speak as it stands (Orca 45.2 and later). Older
// Qt has none, and there the notice shows itself: a widget that draws nothing and that readers
// take for a notification, whose role and name they speak whenever it is shown.
class Notice : public QWidget {
    Q_OBJECT

public:
    explicit Notice(QWidget* parent = nullptr);

    // Says the text anew, even when it is what was said before.
    void notify(QObject* about, const QString& text);
};
