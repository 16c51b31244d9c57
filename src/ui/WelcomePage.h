// The welcome page (TabSheet9): notes for the player, "Начать новую игру",
// "Загрузить игру из файла" and "Закрыть".
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

namespace tarq {

class WelcomePage : public QWidget {
    Q_OBJECT
public:
    explicit WelcomePage(QWidget* parent = nullptr);

    // The fixed notes of Memo4 and Memo6, written at start.
    void FillInformationMemos();

signals:
    void newGameRequested();  // Button12
    void loadRequested();     // Button13
    void quitRequested();     // Button14

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
};

}  // namespace tarq
