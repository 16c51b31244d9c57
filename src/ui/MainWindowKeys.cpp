// The window's keys: the few it takes on every page (F1, Ctrl+S, Ctrl+O), then the map page's.
// A key is taken only from this window's own widgets, never while a menu or a
// dialog is open, and never from a text field, where keys are typing.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

#include "ui/HandoverScreen.h"
#include "ui/KeysCard.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/UiHelpers.h"

namespace tarq {

namespace {

// Keys of the whole window, whatever page is shown.
struct WindowKey {
    QKeyCombination key;
    void (TMainForm::*action)();
};
const WindowKey kWindowKeys[] = {
    {QKeyCombination(Qt::Key_F1), &TMainForm::ShowKeysCard},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_S), &TMainForm::SaveGameClick},  // once a game is on the map
    {QKeyCombination(Qt::ControlModifier, Qt::Key_O), &TMainForm::Button13Click},
};

bool IsTextField(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->isEditable();
    if (const auto* text = qobject_cast<const QTextEdit*>(w)) return !text->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(w)) return !text->isReadOnly();
    return false;
}

}  // namespace

bool TMainForm::KeyPressed(QWidget* receiver, QKeyEvent* event) {
    if (receiver->window() != this || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    const QKeyCombination key(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    for (const WindowKey& k : kWindowKeys)
        if (k.key == key) {
            if (!event->isAutoRepeat()) (this->*k.action)();
            return true;
        }
    // The handover screen hides the map and takes no map keys.
    if (IsTextField(QApplication::focusWidget()) || PageControl1->currentIndex() != kPageMap || handover_->isVisible())
        return false;
    return map_->KeyPressed(key, event->isAutoRepeat());
}

void TMainForm::ShowKeysCard() {
    if (!keysCard_) keysCard_ = new KeysCard(this);
    keysCard_->show();
    keysCard_->raise();
    keysCard_->activateWindow();
}

}  // namespace tarq
