#include "ui/PasswordDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

namespace tarq {

namespace {

QString Composed(const QLineEdit* field) {
    return field ? field->text().normalized(QString::NormalizationForm_C) : QString();
}

}  // namespace

PasswordDialog::PasswordDialog(int player, QWidget* parent) : QDialog(parent), mode_(Mode::Set) {
    Build(QStringLiteral("Пароль игрока %1").arg(player),
          QStringLiteral("Без пароля сделать ход за игрока %1 может любой, у кого есть файл игры.").arg(player));
    NewPassword = AddField(QStringLiteral("Пароль (необязательно)"));
    Repeat = AddField(QStringLiteral("Повторите пароль"));
}

PasswordDialog::PasswordDialog(Mode mode, Check check, QWidget* parent)
    : QDialog(parent), mode_(mode), check_(std::move(check)) {
    const int player = check_->who.player;
    if (mode_ == Mode::Ask) {
        Build(QStringLiteral("Пароль игрока %1").arg(player), QString());
        Current = AddField(QStringLiteral("Пароль игрока %1").arg(player));
    } else {
        Build(QStringLiteral("Смена пароля игрока %1").arg(player),
              QStringLiteral("Пустой новый пароль убирает пароль."));
        Current = AddField(QStringLiteral("Старый пароль"));
        NewPassword = AddField(QStringLiteral("Новый пароль (необязательно)"));
        Repeat = AddField(QStringLiteral("Повторите пароль"));
    }
    WaitForNextTry();
}

void PasswordDialog::Build(const QString& title, const QString& hint) {
    setObjectName(QStringLiteral("PasswordDialog"));
    setWindowTitle(title);
    setMinimumWidth(420);  // the wait's count-down fits on the message line
    auto* layout = new QVBoxLayout(this);
    form_ = new QFormLayout;
    layout->addLayout(form_);
    if (!hint.isEmpty()) {
        auto* note = new QLabel(hint, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    Message = new QLabel(this);
    Message->setObjectName(QStringLiteral("PasswordMessage"));
    Message->setStyleSheet(QStringLiteral("color: #b00000;"));
    Message->setWordWrap(true);
    layout->addWidget(Message);
    auto* buttons = new QDialogButtonBox(this);
    Ok = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    Ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PasswordDialog::Submit);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    timer_ = new QTimer(this);
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &PasswordDialog::Tick);
}

QLineEdit* PasswordDialog::AddField(const QString& caption) {
    auto* field = new QLineEdit(this);
    field->setEchoMode(QLineEdit::Password);
    form_->addRow(caption, field);
    return field;
}

QString PasswordDialog::Password() const { return Composed(mode_ == Mode::Ask ? Current : NewPassword); }

void PasswordDialog::Submit() {
    if (timer_->isActive()) return;  // still waiting after a wrong password
    if (Repeat && Composed(NewPassword) != Composed(Repeat)) {
        Message->setText(QStringLiteral("Пароли не совпадают"));
        Repeat->setFocus();
        return;
    }
    if (mode_ == Mode::Set || PasswordIsRight()) accept();
}

bool PasswordDialog::PasswordIsRight() {
    QApplication::setOverrideCursor(Qt::WaitCursor);  // a memory-hard hash takes a moment
    const bool right = check_->isRight && check_->isRight(Composed(Current));
    QApplication::restoreOverrideCursor();
    if (right) {
        check_->tries.Right(check_->who);
        return true;
    }
    check_->tries.Wrong(check_->who, trust::PasswordTries::Clock::now());
    wrong_ = QStringLiteral("Неверный пароль");
    Current->clear();
    Message->setText(wrong_);
    WaitForNextTry();
    return false;
}

void PasswordDialog::WaitForNextTry() {
    if (check_->tries.WaitLeft(check_->who, trust::PasswordTries::Clock::now()) <= std::chrono::seconds{0}) return;
    EnableFields(false);
    timer_->start();
    Tick();
}

void PasswordDialog::Tick() {
    using namespace std::chrono;
    const auto left = check_->tries.WaitLeft(check_->who, trust::PasswordTries::Clock::now());
    if (left > seconds{0}) {
        const auto shown = ceil<seconds>(left).count();
        const QString wait = QStringLiteral("Следующая попытка — через %1 с").arg(shown);
        Message->setText(wrong_.isEmpty() ? wait : wrong_ + QStringLiteral(". ") + wait);
        return;
    }
    timer_->stop();
    Message->setText(wrong_);
    EnableFields(true);
    Current->setFocus();
}

void PasswordDialog::EnableFields(bool enabled) {
    for (QWidget* widget : std::initializer_list<QWidget*>{Current, NewPassword, Repeat, Ok})
        if (widget) widget->setEnabled(enabled);
}

}  // namespace tarq
