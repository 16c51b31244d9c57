// The technical-data page (TabSheet13), opened from the command menu: two
// place-holder texts, "Возврат" and the list of the game's structures with
// their owners.
#pragma once

#include <QWidget>

#include "core/GameState.h"

class QListWidget;
class QPushButton;

namespace tarq {

class TechnicalPage : public QWidget {
    Q_OBJECT
public:
    explicit TechnicalPage(QWidget* parent = nullptr);

    // Fills the structure list from the game and makes the line of the
    // selected object (the one whose menu opened the page) current.
    void RefreshFromGame(const Game& game);

signals:
    void returnRequested();  // Button15 "Возврат"

public:
    QPushButton* Button15 = nullptr;
    QListWidget* StructureList = nullptr;  // one line per structure; each item's data is its slot
};

}  // namespace tarq
