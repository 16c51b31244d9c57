// The password screens of a player: setting one when joining (optional, typed
// twice), changing it (the old one, then the new one twice) and asking for it
// ("Пароль игрока N"). A wrong password is answered with "Неверный пароль" and
// the fields stay locked for the growing wait of trust::PasswordTries, which
// the caller keeps for the whole session so that reopening the dialog does
// not cut the wait short.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "trust/PasswordTries.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tarq {

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Set, Change, Ask };

    // What checks a typed password: the wait after wrong ones and whether it
    // is the player's own (against the game's record of it).
    struct Check {
        trust::PasswordTries& tries;
        trust::PlayerOfGame who;
        std::function<bool(const QString&)> isRight;
    };

    // Setting a password when player `player` joins.
    PasswordDialog(int player, QWidget* parent);
    // Changing (Mode::Change) or asking for (Mode::Ask) check.who's password.
    PasswordDialog(Mode mode, Check check, QWidget* parent);

    // The password given: the new one when setting or changing (empty for
    // none), the right one when asked; in Unicode's composed form, so that
    // one password typed on two keyboards is one password.
    QString Password() const;

    QLineEdit* Current = nullptr;      // asked, or the old one when changing
    QLineEdit* NewPassword = nullptr;  // setting or changing
    QLineEdit* Repeat = nullptr;
    QLabel* Message = nullptr;
    QPushButton* Ok = nullptr;

private:
    void Build(const QString& title, const QString& hint);
    QLineEdit* AddField(const QString& caption);
    void Submit();
    bool PasswordIsRight();
    // Locks the fields while the wait of check_.who lasts, counting it down.
    void WaitForNextTry();
    void Tick();
    void EnableFields(bool enabled);

    Mode mode_;
    std::optional<Check> check_;  // none when setting
    QString wrong_;               // "Неверный пароль" after a wrong one, shown above the wait
    QTimer* timer_ = nullptr;
    QFormLayout* form_ = nullptr;
};

}  // namespace tarq
