// The screen between two players on one machine: it covers the whole window
// after END TURN, so the next player never sees the last one's map, names
// whose turn it is in their colour and tells which file to pass on when the
// players are on different machines. A click hands the game over.
#pragma once

#include <QWidget>

class QLabel;

namespace tarq {

class HandoverScreen : public QWidget {
    Q_OBJECT
public:
    // Covers `parent` whole, hidden until shown.
    explicit HandoverScreen(QWidget* parent);

    // "Ход игрока N" in the player's colour `colour` (0xAARRGGBB); `savedFile`
    // names the file the game was saved to, empty when the save failed.
    void ShowFor(int player, unsigned colour, const QString& savedFile);

    QLabel* Title = nullptr;
    QLabel* Hint = nullptr;

signals:
    void handedOver();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tarq
