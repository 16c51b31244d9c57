// The welcome page (TabSheet9): notes for the player, "Начать новую игру",
// "Загрузить игру из файла" and "Закрыть", and the list "Мои сетевые игры"
// with "Открыть" and "Присоединиться...".
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace tarq {

class WelcomePage : public QWidget {
    Q_OBJECT
public:
    explicit WelcomePage(QWidget* parent = nullptr);

    // The fixed notes of Memo4 and Memo6, written at start.
    void FillInformationMemos();

private:
    void BuildNetGames();

signals:
    void newGameRequested();                           // Button12
    void loadRequested();                              // Button13
    void quitRequested();                              // Button14
    void netGameOpenRequested(const QString& gameId);  // NetOpen, or a double click in NetGames
    void netGameJoinRequested();                       // NetJoin

public:
    QPushButton* Button12 = nullptr;
    QPushButton* Button13 = nullptr;
    QPushButton* Button14 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QTextEdit* Memo3 = nullptr;
    QTextEdit* Memo4 = nullptr;
    QTextEdit* Memo6 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText12 = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelAuthor = nullptr;
    QTreeWidget* NetGames = nullptr;
    QPushButton* NetOpen = nullptr;
    QPushButton* NetJoin = nullptr;
};

}  // namespace tarq
