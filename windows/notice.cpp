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
    // Readers speak an announcement as it stands, without a role word before it and with no
    // widget shown for it. Assertive, as the player waits for it before the next key.
    QAccessibleAnnouncementEvent event(about, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    hide();
    setAccessibleName(text);
    show();
#endif
}
