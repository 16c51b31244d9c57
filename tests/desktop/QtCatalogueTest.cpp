// Qt's own dialogs speak Russian once the catalogue is installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "desktop/QtCatalogue.h"

namespace tarq {
namespace {

QString Caption(const QAbstractButton* button) { return button ? button->text().remove(QLatin1Char('&')) : QString(); }

TEST(QtCatalogue, StandardButtonsAndTheFileDialogAreRussian) {
    static int argc = 1;
    static char name[] = "tarq_desktop_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    ASSERT_TRUE(InstallQtRussianCatalogue(*app));

    QMessageBox box(QMessageBox::Question, QStringLiteral("TARQ"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Open);
    const struct {
        QMessageBox::StandardButton button;
        const char* caption;
    } cases[] = {{QMessageBox::Yes, "Да"},
                 {QMessageBox::No, "Нет"},
                 {QMessageBox::Cancel, "Отмена"},
                 {QMessageBox::Open, "Открыть"}};
    for (const auto& c : cases) EXPECT_EQ(Caption(box.button(c.button)), QString::fromUtf8(c.caption));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(Caption(buttons->button(QDialogButtonBox::Open)), QStringLiteral("Открыть"));
}

}  // namespace
}  // namespace tarq
