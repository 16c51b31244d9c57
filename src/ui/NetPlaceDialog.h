// "Игра по сети": where a game of players on several machines lives — a
// shared folder or a WebDAV address with user name and password — the game's
// id, the player at this machine, how often to look for turns, and a check of
// the connection.
#pragma once

#include <QDialog>
#include <memory>

#include "net/GamePlace.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarq {

namespace net {
class PlaceBackend;
}

class NetPlaceDialog : public QDialog {
    Q_OBJECT
public:
    // `place` fills the fields (its password apart); `pollSeconds` the interval.
    NetPlaceDialog(const net::GamePlace& place, int pollSeconds, QWidget* parent = nullptr);
    ~NetPlaceDialog() override;

    net::GamePlace Place() const;
    QString Password() const;
    int PollSeconds() const;

    // "Проверить связь": reads the place's pointer and tells what it found.
    void TestConnection();

    QRadioButton* FolderChoice = nullptr;
    QRadioButton* AddressChoice = nullptr;
    QLineEdit* Folder = nullptr;
    QLineEdit* Address = nullptr;
    QLineEdit* User = nullptr;
    QLineEdit* PasswordField = nullptr;
    QLineEdit* GameId = nullptr;
    QSpinBox* Seat = nullptr;
    QSpinBox* Poll = nullptr;
    QPushButton* Test = nullptr;
    QLabel* Result = nullptr;

private:
    void KindChanged();
    void accept() override;

    std::unique_ptr<net::PlaceBackend> probe_;
};

}  // namespace tarq
