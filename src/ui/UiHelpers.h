// Helpers for building pages with fixed designer positions.
#pragma once

#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace tarq {

// Pages of the main page control, by index.
enum Page { kPageNewGame = 0, kPageMap = 1, kPageWelcome = 2, kPageSettings = 3, kPageTech = 4, kPagePrepare = 5 };

// Switches pages from code without raising the handlers meant for the user's picks.
inline void ActivatePage(QTabWidget* pages, int index) {
    const QSignalBlocker block(pages);
    pages->setCurrentIndex(index);
}

// Shows or hides the tab of page `index`. A hidden tab is disabled as well:
// Qt still moves to hidden tabs by the wheel over the tab strip, Ctrl+Tab and
// the arrow keys, but never to disabled ones.
inline void ShowTab(QTabWidget* pages, int index, bool shown) {
    if (shown) pages->setTabEnabled(index, true);
    pages->setTabVisible(index, shown);
    if (!shown) pages->setTabEnabled(index, false);
}

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

template <typename W>
W* Place(W* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
}

inline void SetBold(QWidget* widget, bool bold) {
    QFont f = widget->font();
    f.setBold(bold);
    widget->setFont(f);
}

// A read-only text box for notes.
inline QTextEdit* MakeMemo(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* memo = Place(Named(new QTextEdit(parent), name), x, y, w, h);
    memo->setReadOnly(true);
    return memo;
}

inline void FillMemo(QTextEdit* memo, const QStringList& lines) {
    for (const QString& line : lines) memo->append(line);
    memo->moveCursor(QTextCursor::Start);  // a memo longer than its box is read from the top
}

// A caption label and a horizontal scroll bar under it.
inline QScrollBar* CaptionedBar(QWidget* parent, const char* name, const QString& caption, int min, int max,
                                int position, int x, int y, int width) {
    auto* label = Place(new QLabel(caption, parent), x, y, width, 16);
    label->setToolTip(caption);
    auto* bar = Named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setRange(min, max);
    bar->setValue(position);
    Place(bar, x, y + 17, width, 17);
    return bar;
}

}  // namespace tarq
