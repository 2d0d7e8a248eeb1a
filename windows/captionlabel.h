#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

// A fixed-size text label with the properties the windows are designed with:
// caption, back colour drawn opaque or not at all, fore colour, a single-line
// border and horizontal alignment. It paints itself in one pass and repaints
// only when a property really changes, because the engine rewrites captions
// and colours on every key. (The clock is a CounterLabel.)
class CaptionLabel : public QWidget {
    Q_OBJECT

public:
    enum class BackStyle { Transparent, Opaque };
    enum class BorderStyle { None = 0, FixedSingle = 1 };

    explicit CaptionLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    void setBackColor(const QColor& colour);

    // Without a fore colour of its own the label uses the palette's text colour.
    QColor foreColor() const;
    void setForeColor(const QColor& colour);

    void setBackStyle(BackStyle style);

    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);

    // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    void setAlignment(Qt::Alignment alignment);

    // What a screen reader is told of the label besides its caption: the key to press next is
    // selected, and the letter to type has the reading focus. Nothing is drawn for it.
    enum class Mark { None, Selected, Focused };
    Mark mark() const { return m_mark; }
    void setMark(Mark mark) { m_mark = mark; }

    // What a disabled label draws its text in: the palette's disabled text
    // colour, or a grey where that could not be told from the enabled colour
    // or from an opaque back colour.
    QColor disabledForeColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_caption;
    QColor m_backColor;
    std::optional<QColor> m_foreColor;
    BackStyle m_backStyle = BackStyle::Opaque;
    BorderStyle m_borderStyle = BorderStyle::None;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    Mark m_mark = Mark::None;
};
