#include "notice.h"

#include <QAccessible>

Notice::Notice(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

void Notice::notify([[maybe_unused]] QObject* about, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Orca 51 says no more than "notification" of the shown notice: the announcement is heard
    // whole. Assertive, as the player waits for it before the next key.
    QAccessibleAnnouncementEvent event(about, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    hide();
    setAccessibleName(text);
    show();
#endif
}
