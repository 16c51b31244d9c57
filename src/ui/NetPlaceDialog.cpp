#include "ui/NetPlaceDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "net/PlaceBackend.h"
#include "net/TurnExchange.h"
#include "net/TurnLayout.h"

namespace tarq {

namespace {

QString Found(const net::Reply& reply) {
    switch (reply.status) {
        case net::Status::Ok: {
            const std::optional<net::TurnPointer> p = net::DecodePointer(reply.body);
            return p ? QStringLiteral("Связь есть. В игре ход %1, ходит игрок %2.").arg(p->turn).arg(p->player)
                     : QStringLiteral("Связь есть, но файл «current» не читается.");
        }
        case net::Status::Missing: return QStringLiteral("Связь есть. Ходов этой игры там еще нет.");
        case net::Status::Unauthorized: return QStringLiteral("Сервер не принял имя пользователя или пароль (401).");
        case net::Status::Forbidden: return QStringLiteral("Сервер не дает доступа (403).");
        default: return QStringLiteral("Нет связи: %1.").arg(reply.detail);
    }
}

}  // namespace

NetPlaceDialog::NetPlaceDialog(const net::GamePlace& place, int pollSeconds, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NetPlaceDialog"));
    setWindowTitle(QStringLiteral("Игра по сети"));
    auto* form = new QFormLayout(this);
    FolderChoice = new QRadioButton(QStringLiteral("Общая папка (Syncthing, Nextcloud, сетевой диск)"), this);
    AddressChoice = new QRadioButton(QStringLiteral("Сервер WebDAV"), this);
    form->addRow(FolderChoice);
    Folder = new QLineEdit(place.folder, this);
    auto* browse = new QPushButton(QStringLiteral("Обзор..."), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(Folder);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Папка:"), folderRow);
    form->addRow(AddressChoice);
    Address = new QLineEdit(place.address.toString(), this);
    Address->setPlaceholderText(QStringLiteral("https://сервер/remote.php/dav/files/имя/tarq"));
    User = new QLineEdit(place.user, this);
    PasswordField = new QLineEdit(this);
    PasswordField->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Адрес:"), Address);
    form->addRow(QStringLiteral("Пользователь:"), User);
    form->addRow(QStringLiteral("Пароль:"), PasswordField);
    GameId = new QLineEdit(place.gameId, this);
    GameId->setToolTip(QStringLiteral("Сообщите этот код другим игрокам: они указывают то же место и тот же код."));
    form->addRow(QStringLiteral("Код игры:"), GameId);
    Seat = new QSpinBox(this);
    Seat->setRange(1, 8);
    Seat->setValue(place.seat);
    form->addRow(QStringLiteral("Игрок за этим компьютером:"), Seat);
    Poll = new QSpinBox(this);
    Poll->setRange(net::kMinPollMs / 1000, net::kMaxPollMs / 1000);
    Poll->setSuffix(QStringLiteral(" с"));
    Poll->setValue(pollSeconds);
    form->addRow(QStringLiteral("Проверять ходы каждые:"), Poll);
    Test = new QPushButton(QStringLiteral("Проверить связь"), this);
    Result = new QLabel(this);
    Result->setWordWrap(true);
    form->addRow(Test, Result);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    (place.kind == net::GamePlace::Kind::Folder ? FolderChoice : AddressChoice)->setChecked(true);
    KindChanged();
    connect(FolderChoice, &QRadioButton::toggled, this, &NetPlaceDialog::KindChanged);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Общая папка"), Folder->text());
        if (!folder.isEmpty()) Folder->setText(folder);
    });
    connect(Test, &QPushButton::clicked, this, &NetPlaceDialog::TestConnection);
    connect(buttons, &QDialogButtonBox::accepted, this, &NetPlaceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NetPlaceDialog::reject);
}

NetPlaceDialog::~NetPlaceDialog() = default;

void NetPlaceDialog::KindChanged() {
    const bool folder = FolderChoice->isChecked();
    Folder->setEnabled(folder);
    for (QLineEdit* field : {Address, User, PasswordField}) field->setEnabled(!folder);
}

net::GamePlace NetPlaceDialog::Place() const {
    net::GamePlace place;
    place.kind = FolderChoice->isChecked() ? net::GamePlace::Kind::Folder : net::GamePlace::Kind::WebDav;
    place.folder = Folder->text().trimmed();
    place.address = QUrl(Address->text().trimmed());
    place.user = User->text().trimmed();
    place.gameId = GameId->text().trimmed().toLower();
    place.seat = Seat->value();
    return place;
}

QString NetPlaceDialog::Password() const { return PasswordField->text(); }
int NetPlaceDialog::PollSeconds() const { return Poll->value(); }

void NetPlaceDialog::TestConnection() {
    const net::GamePlace place = Place();
    if (const QString problem = place.Problem(); !problem.isEmpty()) {
        Result->setText(problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.'));
        return;
    }
    Result->setText(QStringLiteral("Проверка..."));
    probe_ = net::MakeBackend(place, Password(), 15000);
    probe_->Read(QLatin1String(net::kPointerName), {},
                 [this](const net::Reply& reply) { Result->setText(Found(reply)); });
}

void NetPlaceDialog::accept() {
    if (const QString problem = Place().Problem(); !problem.isEmpty()) {
        Result->setText(problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.'));
        return;
    }
    QDialog::accept();
}

}  // namespace tarq
