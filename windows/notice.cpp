#include "notice.h"

Notice::Notice(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

void Notice::notify(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
}
