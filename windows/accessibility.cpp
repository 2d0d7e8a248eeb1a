#include "accessibility.h"

#include "captionlabel.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>

namespace {

// A container's children as the eye reads them: rows from the top, each row from the left. The
// stacking order, which is Qt's order of children, keeps overlapping frames whole and so differs.
QList<QWidget*> inScreenOrder(const QWidget* container) {
    constexpr int sameRow = 8; // pixels between two tops that still read as one row
    std::vector<std::tuple<int, int, QWidget*>> order;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            order.emplace_back(child->y(), child->x(), child);
    }
    std::ranges::stable_sort(order, {}, [](const auto& placed) { return std::get<0>(placed); });
    int rowTop = INT_MIN / 2;
    for (auto& [top, left, child] : order) {
        if (top > rowTop + sameRow)
            rowTop = top;
        top = rowTop;
    }
    std::ranges::stable_sort(order, [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    QList<QWidget*> children;
    for (const auto& placed : order)
        children.append(std::get<2>(placed));
    return children;
}

// A window or container read in screen order. A window's reading focus is the letter to type
// while there is one, as a table's is its current cell.
class ScreenOrder : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(inScreenOrder(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        return QAccessible::queryAccessibleInterface(inScreenOrder(widget()).value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1
                                : static_cast<int>(inScreenOrder(widget()).indexOf(
                                      qobject_cast<QWidget*>(child->object())));
    }
    QAccessibleInterface* focusChild() const override {
        for (CaptionLabel* label : widget()->findChildren<CaptionLabel*>()) {
            if (label->mark() == CaptionLabel::Mark::Focused && label->isVisible())
                return QAccessible::queryAccessibleInterface(label);
        }
        return QAccessibleWidget::focusChild();
    }
};

// The result window, a dialog. A screen reader speaks a dialog's description as it opens, with the
// focus on OK: the description is the whole result, each value after the caption that labels it,
// read when asked, so that no reader hears a value before the drill has written it.
class ResultDialog : public ScreenOrder {
public:
    explicit ResultDialog(QWidget* window)
        : ScreenOrder(window, QAccessible::Dialog) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Description)
            return ScreenOrder::text(kind);
        std::vector<std::pair<int, QString>> values;
        for (const QLabel* caption : widget()->findChildren<QLabel*>()) {
            if (const auto* value = qobject_cast<const QLabel*>(caption->buddy()))
                values.emplace_back(caption->mapTo(widget(), QPoint()).y(),
                                    caption->text() + ' ' + value->text());
        }
        std::ranges::sort(values);
        QStringList read;
        for (const auto& [top, value] : values)
            read << value;
        return read.join(' ');
    }
};

// The program's own labels: static text named by its caption (the labels keep their accessible
// names), greyed while disabled, the key to press next selected and the reading focus focused.
class StaticText : public QAccessibleWidget {
public:
    explicit StaticText(QWidget* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto* caption = qobject_cast<const CaptionLabel*>(widget())) {
            state.selected = caption->mark() == CaptionLabel::Mark::Selected;
            state.focused = caption->mark() == CaptionLabel::Mark::Focused && widget()->isVisible();
        }
        return state;
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("CaptionLabel") || className == QLatin1String("CounterLabel"))
        return new StaticText(widget);
    if (className == QLatin1String("Notice"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    // The program's windows, and their client areas and frames: plain widgets holding the labels.
    const QWidget* window = widget->window();
    if (!window->inherits("Form1") && !window->inherits("KSReport") &&
        !window->inherits("frmSplash"))
        return nullptr;
    if (widget == window && window->inherits("KSReport"))
        return new ResultDialog(widget);
    if (widget == window)
        return new ScreenOrder(widget, QAccessible::Window);
    if (className == QLatin1String("QWidget"))
        return new ScreenOrder(widget, QAccessible::Grouping);
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(accessibleFor);
}
