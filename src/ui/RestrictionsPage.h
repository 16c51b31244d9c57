// The restrictions page (TabSheet3) of the new game: the start gold and the
// two purchase restrictions; both reset the purchase list to the starting kit.
#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace tarq {

class PageHost;
class RadioGroup;

class RestrictionsPage : public QWidget {
    Q_OBJECT
public:
    explicit RestrictionsPage(PageHost& host, QWidget* parent = nullptr);

    // The start gold and the restrictions from the game state.
    void RefreshFromGame();

    void SstartmoneyClick();
    void StrToBuyClick();  // either restriction box

signals:
    // The purchase list went back to the starting kit; a gold choice also
    // gives the new text of the credits label.
    void purchasesReset();
    void startGoldChosen(const QString& creditsText);

private:
    PageHost& host_;

public:
    RadioGroup* Sstartmoney = nullptr;
    QCheckBox* StrToBuy = nullptr;
    QCheckBox* AlienToBuy = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QLabel* Label2 = nullptr;
};

}  // namespace tarq
