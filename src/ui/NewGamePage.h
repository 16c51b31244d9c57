// The new-game page (TabSheet2): its inner pages (start conditions with the
// map generator, restrictions, purchases), the start button and, beside the
// inner pages, the purchase card's picture, name and description.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;

namespace tarq {

class ImageBox;
class PageHost;
class PurchasesPage;
class RestrictionsPage;
class StartConditionsPage;

class NewGamePage : public QWidget {
    Q_OBJECT
public:
    explicit NewGamePage(PageHost& host, QWidget* parent = nullptr);

    StartConditionsPage* startConditions() const { return startConditions_; }
    RestrictionsPage* restrictions() const { return restrictions_; }
    PurchasesPage* purchases() const { return purchases_; }

    // Every inner page from the game state.
    void RefreshFromGame();
    // Joining mode of a game under way: its map, players and start gold are
    // fixed (see StartConditionsPage::SetJoining).
    void SetJoining(bool joining);

    void PageControl2Change(int index);

signals:
    void launchRequested();  // LaunchTARQ "Старт"

private:
    // The card of the purchases page: the picture centred right of the inner
    // pages, the description under it.
    void ShowCard(const QString& picture, const QString& name, const QString& description);
    void HideCard();
    int PageControlWidth() const;

    PageHost& host_;
    StartConditionsPage* startConditions_ = nullptr;
    RestrictionsPage* restrictions_ = nullptr;
    PurchasesPage* purchases_ = nullptr;

public:
    QTabWidget* PageControl2 = nullptr;
    QPushButton* LaunchTARQ = nullptr;
    ImageBox* Image5 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText6 = nullptr;
};

}  // namespace tarq
