#pragma once

#include <QHash>
#include <QRawFont>
#include <QString>
#include <QWidget>

class QGlyphRun;

// The number of a counter: right-aligned text in the palette's WindowText on an opaque Window
// background. The clock rewrites its number 66.67 times a second, so the label draws glyphs
// looked up once per character, with no text layout on each paint, and repaints at once
// instead of on the next pass of the event loop. A number wider than the label is drawn
// narrower, condensed to the label's width, so that it is always whole.
class CounterLabel : public QWidget {
    Q_OBJECT

public:
    explicit CounterLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Glyph {
        quint32 index = 0; // 0: the font lacks the character
        qreal advance = 0;
    };
    Glyph glyphOf(QChar c);
    // The caption's glyphs from x = 0 on the baseline, and their width. The run stays empty
    // when the font lacks a character, which then has to be drawn as text.
    qreal layOut(QGlyphRun& run);

    QString m_caption;
    QRawFont m_rawFont;
    QHash<QChar, Glyph> m_glyphs;
};
