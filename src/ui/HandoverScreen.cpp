#include "ui/HandoverScreen.h"

#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tarq {

HandoverScreen::HandoverScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Handover"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(24, 26, 30));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    setPalette(dark);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    Title = new QLabel(this);
    Title->setObjectName(QStringLiteral("HandoverTitle"));
    QFont big = font();
    big.setPointSize(28);
    big.setBold(true);
    Title->setFont(big);
    Title->setAlignment(Qt::AlignCenter);
    Title->setMargin(16);
    layout->addWidget(Title, 0, Qt::AlignHCenter);
    Hint = new QLabel(this);
    Hint->setObjectName(QStringLiteral("HandoverHint"));
    Hint->setWordWrap(true);
    Hint->setAlignment(Qt::AlignCenter);
    QFont readable = font();
    readable.setPointSize(11);
    Hint->setFont(readable);
    Hint->setFixedWidth(620);
    Hint->setMinimumHeight(90);
    layout->addWidget(Hint, 0, Qt::AlignHCenter);
    layout->addStretch(3);
    parent->installEventFilter(this);
    hide();
}

void HandoverScreen::ShowFor(int player, unsigned colour, const QString& savedFile) {
    const QColor shade = QColor::fromRgb(colour);
    const QColor text = shade.lightness() > 150 ? Qt::black : Qt::white;
    Title->setText(QStringLiteral("Ход игрока %1").arg(player));
    Title->setStyleSheet(
        QStringLiteral("background: %1; color: %2; border: 3px solid #dddddd;").arg(shade.name(), text.name()));
    QString hint;
    if (!savedFile.isEmpty())
        hint = QStringLiteral(
                   "Игра сохранена в файл «%1». Если игрок %2 играет на другом компьютере, передайте "
                   "ему этот файл.\n\n")
                   .arg(QDir::toNativeSeparators(savedFile))
                   .arg(player);
    Hint->setText(hint + QStringLiteral("Игрок %1, щелкните мышью, чтобы начать свой ход.").arg(player));
    setGeometry(parentWidget()->rect());
    raise();
    show();
    setFocus();
}

bool HandoverScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void HandoverScreen::mousePressEvent(QMouseEvent*) {
    hide();
    emit handedOver();
}

// Keys meant for the map (Enter ends a turn) must not reach it behind the screen.
void HandoverScreen::keyPressEvent(QKeyEvent* event) { event->accept(); }

}  // namespace tarq
