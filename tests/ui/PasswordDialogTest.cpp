// The password screens driven as a player would: typing, OK, waiting after a
// wrong password.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "WindowFixture.h"
#include "ui/PasswordDialog.h"

namespace tarq {
namespace {

using namespace std::chrono_literals;

// Types `text` key by key; QTest's keyClicks takes only Latin letters.
void Type(QLineEdit* field, const QString& text) {
    field->clear();
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TEST(PasswordDialog, SetAsksForTheSamePasswordTwiceOrNone) {
    testing::TestApplication();
    PasswordDialog dialog(3, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Пароль игрока 3"));
    Type(dialog.NewPassword, QStringLiteral("ёлка"));
    Type(dialog.Repeat, QStringLiteral("елка"));
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    EXPECT_EQ(dialog.Message->text(), QStringLiteral("Пароли не совпадают"));
    EXPECT_TRUE(dialog.isVisible());
    Type(dialog.Repeat, QStringLiteral("ёлка"));
    QTest::keyClick(dialog.Repeat, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), QStringLiteral("ёлка"));

    PasswordDialog none(3, nullptr);
    none.show();
    QTest::mouseClick(none.Ok, Qt::LeftButton);
    EXPECT_EQ(none.result(), QDialog::Accepted);
    EXPECT_TRUE(none.Password().isEmpty());
}

// A wrong password locks the field for a second, a right one then opens and
// resets the count; a dialog opened during a wait starts locked.
TEST(PasswordDialog, AskWaitsAfterAWrongPassword) {
    testing::TestApplication();
    trust::PasswordTries tries;
    const trust::PlayerOfGame who{42, 2};
    int checks = 0;
    const auto isRight = [&](const QString& p) { return ++checks, p == QStringLiteral("верный"); };
    PasswordDialog dialog(PasswordDialog::Mode::Ask, {tries, who, isRight}, nullptr);
    dialog.show();
    Type(dialog.Current, QStringLiteral("неверный"));
    QTest::keyClick(dialog.Current, Qt::Key_Return);
    EXPECT_TRUE(dialog.Message->text().startsWith(QStringLiteral("Неверный пароль")))
        << dialog.Message->text().toStdString();
    EXPECT_FALSE(dialog.Ok->isEnabled());
    EXPECT_FALSE(dialog.Current->isEnabled());
    QTest::keyClick(dialog.Current, Qt::Key_Return);
    EXPECT_EQ(checks, 1);
    {
        PasswordDialog reopened(PasswordDialog::Mode::Ask, {tries, who, isRight}, nullptr);
        EXPECT_FALSE(reopened.Ok->isEnabled());
        EXPECT_TRUE(reopened.Message->text().contains(QStringLiteral("через 1 с")));
    }
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Ok->isEnabled(), 3000);
    EXPECT_EQ(dialog.Message->text(), QStringLiteral("Неверный пароль"));
    Type(dialog.Current, QStringLiteral("верный"));
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), QStringLiteral("верный"));
    EXPECT_EQ(tries.Wrong(who, trust::PasswordTries::Clock::now()), 1s);
}

TEST(PasswordDialog, ChangeChecksTheOldPasswordAndRepeatsTheNew) {
    testing::TestApplication();
    trust::PasswordTries tries;
    int checks = 0;
    const auto isRight = [&](const QString& p) { return ++checks, p == QStringLiteral("старый"); };
    PasswordDialog dialog(PasswordDialog::Mode::Change, {tries, {1, 1}, isRight}, nullptr);
    dialog.show();
    Type(dialog.Current, QStringLiteral("старый"));
    Type(dialog.NewPassword, QStringLiteral("новый"));
    Type(dialog.Repeat, QStringLiteral("новый!"));
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    EXPECT_EQ(dialog.Message->text(), QStringLiteral("Пароли не совпадают"));
    EXPECT_EQ(checks, 0);
    Type(dialog.Repeat, QStringLiteral("новый"));
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), QStringLiteral("новый"));
}

}  // namespace
}  // namespace tarq
