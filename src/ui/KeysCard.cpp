#include "ui/KeysCard.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/UiHelpers.h"

namespace tarq {

namespace {

// The keys and what they do, in the order a player meets them.
constexpr const char* kKeys[][2] = {
    {"Стрелки", "сдвинуть карту на одну клетку"},
    {"Shift + стрелки", "сдвинуть карту на экран"},
    {"+ / −", "крупнее / мельче, как колесо мыши (и на цифровой клавиатуре)"},
    {"Tab", "следующий юнит, который еще может ходить"},
    {"Shift + Tab", "предыдущий такой юнит"},
    {"Пробел", "меню команд выбранного объекта"},
    {"Esc", "отменить, как правая кнопка мыши; закрыть меню"},
    {"Enter", "END TURN — закончить ход"},
    {"Ctrl + S", "сохранить игру в файл"},
    {"Ctrl + O", "загрузить игру из файла"},
    {"F1", "эта карточка"},
};

}  // namespace

KeysCard::KeysCard(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeysCard"));
    setWindowTitle(QStringLiteral("Клавиши"));
    QString rows;
    for (const auto& [key, meaning] : kKeys)
        rows += QStringLiteral("<tr><td><b>%1</b></td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(QString::fromUtf8(key).toHtmlEscaped(), QString::fromUtf8(meaning).toHtmlEscaped());
    auto* layout = new QVBoxLayout(this);
    auto* text = Named(new QLabel(QStringLiteral("<p>Клавиши действуют на странице карты.</p><table>") + rows +
                                      QStringLiteral("</table>"),
                                  this),
                       "KeysText");
    text->setTextFormat(Qt::RichText);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace tarq
