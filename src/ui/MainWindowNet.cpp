// Network games in the window: the "Игра по сети" button in the map page's
// top strip and its dialog, the welcome page's list, opening a network game's
// latest turn.
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QToolButton>

#include "core/Players.h"
#include "net/TurnLayout.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NetPlaceDialog.h"
#include "ui/NetPlay.h"
#include "ui/UiHelpers.h"
#include "ui/WelcomePage.h"

namespace tarq {

void TMainForm::BuildNetPlay() {
    net_ = new NetPlay(
        this, [this](const QString& text) { ShowMessage(text, MessageWeight::Warning); }, this);
    auto* button = Named(new QToolButton(map_->Panel5), "NetPlayButton");
    button->setText(QStringLiteral("Игра по сети"));
    button->setAutoRaise(true);
    button->setToolTip(QStringLiteral("Играть с другими компьютерами через общую папку или сервер WebDAV"));
    map_->Panel5->layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, &TMainForm::NetPlayClick);
    connect(net_, &NetPlay::listChanged, this, [this] { net_->ShowList(welcome_->NetGames); });
    connect(welcome_, &WelcomePage::netGameOpenRequested, this, &TMainForm::OpenNetGame);
    connect(welcome_, &WelcomePage::netGameJoinRequested, this, &TMainForm::JoinNetGameClick);
}

// The game on show goes to a place: a new id, or the place it already has;
// the player on show plays here.
void TMainForm::NetPlayClick() {
    if (!Launched()) return;
    net::GamePlace place;
    if (const net::NetGameEntry* shown = net_->Find(net_->shown()))
        place = shown->place;
    else
        place.gameId = net::NewGameId();
    place.seat = game_->CurrentPlayer;
    auto* dialog = new NetPlaceDialog(place, net_->PollSeconds(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        net_->SetPollSeconds(dialog->PollSeconds());
        net_->Add(dialog->Place(), dialog->Password(), game_.get());
        map_->ShowNotice(QStringLiteral("Игра в «%1»").arg(dialog->Place().Shown()));
    });
    dialog->open();
}

void TMainForm::JoinNetGameClick() {
    auto* dialog = new NetPlaceDialog(net::GamePlace{}, net_->PollSeconds(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        net_->SetPollSeconds(dialog->PollSeconds());
        net_->Add(dialog->Place(), dialog->Password(), nullptr);
    });
    dialog->open();
}

bool TMainForm::OpenNetGame(const QString& gameId) {
    const QString file = net_->LatestFile(gameId);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        ShowMessage(QStringLiteral("Из этой сетевой игры на этот компьютер еще не пришло ни одного хода."),
                    MessageWeight::Note);
        return false;
    }
    openingNetGame_ = gameId;
    return LoadGame(file);
}

}  // namespace tarq
