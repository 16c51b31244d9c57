// Game files through the window: save, quit, a new window loads the game and
// shows it as saved; a refused file changes nothing; autosaves after END TURN.
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "MapWindowFixture.h"
#include "core/StateHash.h"
#include "gamefile/Autosave.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

class GameFileFlowTest : public MapWindowTest {
protected:
    QString Saves() const { return QString::fromStdString((dir / "xdg-data/tarq/saves").string()); }

    // The player types `path` into the open dialog and accepts it.
    void Choose(const char* dialogName, const QString& path) {
        QFileDialog* dialog = nullptr;  // closed ones wait for their deletion
        for (QFileDialog* d : form->findChildren<QFileDialog*>(QString::fromLatin1(dialogName)))
            if (d->isVisible()) dialog = d;
        ASSERT_TRUE(dialog) << dialogName;
        EXPECT_EQ(QFileInfo(dialog->directory().path()), QFileInfo(Saves()));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog*>(dialog)->accept();  // what its Open or Save button does
    }
    // The frame the map page draws now, from a cleared surface.
    Bitmap Frame() {
        MapSurface* surface = form->mapPage()->DXDraw;
        surface->clear();
        form->mapPage()->RenderAndPresent();
        return surface->backBuffer().Pixels();
    }
};

TEST_F(GameFileFlowTest, ASavedGameComesBackInANewWindowAsItWasSaved) {
    LandBase();
    form->mapPage()->ENDTURN->click();
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    Choose("SaveGameDialog", Saves() + "/mine");  // the suffix is added
    ASSERT_TRUE(QFileInfo::exists(Saves() + "/mine.tarq")) << messages.join("\n").toStdString();
    messages.clear();  // the prompt for the base, if the frame timer ran
    const auto saved = NewGame();
    *saved = game();
    const Bitmap frame = Frame();
    form->mapPage()->Button16->click();  // Quit: the window closes and autosaves
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QFileInfo::exists(Saves() + "/" + AutosaveFileName(saved->GameId, 1)));
    form.reset();

    OpenWindow();
    form->show();
    form->welcomePage()->Button13->click();
    Choose("LoadGameDialog", Saves() + "/mine.tarq");
    EXPECT_EQ(StateDifference(*saved, game()), "");
    QTabWidget* pages = form->PageControl1;
    EXPECT_EQ(pages->currentIndex(), 1);
    for (int page : {0, 2}) EXPECT_FALSE(pages->isTabVisible(page) || pages->isTabEnabled(page)) << page;
    EXPECT_EQ(form->mapPage()->Panel1->width(), 200);
    EXPECT_EQ(form->mapPage()->Panel5->height(), 18);
    EXPECT_TRUE(form->mapPage()->DXTimer->isActive());
    EXPECT_EQ(form->mapPage()->TurnNumber->text(), QStringLiteral("Ход 2"));
    EXPECT_TRUE(Frame().pixels == frame.pixels);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(GameFileFlowTest, ARefusedFileLeavesTheGameUntouched) {
    LandBase();
    const std::uint64_t before = StateHash(game());
    const Game* const shown = &game();
    const QByteArray good = WriteGameFile(game());
    const struct {
        const char* name;
        QByteArray bytes;
        const char* says;
    } files[] = {{"text.tarq", "not a game", "не является сохраненной игрой"},
                 {"cut.tarq", good.left(good.size() / 2), "обрезан"},
                 {"flipped.tarq", QByteArray(good).replace(40, 1, "\xA5"), "поврежден"}};
    for (const auto& f : files) {
        QFile file(Saves() + "/" + f.name);
        ASSERT_TRUE(QDir().mkpath(Saves()) && file.open(QIODevice::WriteOnly) && file.write(f.bytes) > 0);
        file.close();
        QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
        Choose("LoadGameDialog", file.fileName());
        ASSERT_EQ(messages.size(), 1) << f.name;
        EXPECT_TRUE(messages[0].contains(f.name) && messages[0].contains(QString::fromUtf8(f.says)))
            << messages[0].toStdString();
        EXPECT_EQ(weights, QList({MessageWeight::Warning}));
        EXPECT_EQ(&game(), shown);
        EXPECT_EQ(StateHash(game()), before) << f.name;
        EXPECT_EQ(form->PageControl1->currentIndex(), 1);
        messages.clear();
        weights.clear();
    }
}

// Loading over play kept in no file asks first. A save says so in the top
// strip; a game just saved or loaded is in its file, and loading asks nothing.
TEST_F(GameFileFlowTest, LoadingOverPlayNotInAnyFileAsksFirst) {
    const QString file = Saves() + "/ход-1.tarq";
    ASSERT_TRUE(QDir().mkpath(Saves()));
    ASSERT_TRUE(form->SaveGameAs(file)) << messages.join("\n").toStdString();
    EXPECT_EQ(form->mapPage()->Notice->text(), QStringLiteral("Сохранено: ход-1.tarq"));
    LandBase();
    const struct {
        const char* answer;
        int basePlaced;  // after it
    } answers[] = {{"Отмена", 1}, {"Загрузить", 0}};
    for (const auto& [answer, basePlaced] : answers) {
        EXPECT_FALSE(form->LoadGame(file));
        QMessageBox* question = nullptr;  // closed ones wait for their deletion
        for (QMessageBox* box : form->findChildren<QMessageBox*>(QStringLiteral("LoadOverChanges")))
            if (box->isVisible()) question = box;
        ASSERT_TRUE(question) << answer;
        for (QAbstractButton* button : question->buttons())
            if (button->text() == QString::fromUtf8(answer)) button->click();
        EXPECT_EQ(CurrentPlayerEntry(game()).BasePlaced, basePlaced) << answer;
    }
    EXPECT_TRUE(form->LoadGame(file));
    LandBase();
    form->mapPage()->ENDTURN->click();  // the autosave holds the turn
    EXPECT_TRUE(form->LoadGame(file));
}

TEST_F(GameFileFlowTest, EndTurnAutosavesAndAFailedWriteIsToldOnce) {
    LandBase();
    form->mapPage()->ENDTURN->click();
    const LoadedGame autosaved = LoadGameFile(Saves() + "/" + AutosaveFileName(game().GameId, 1));
    ASSERT_TRUE(autosaved) << autosaved.message.toStdString();
    EXPECT_EQ(StateDifference(*autosaved.game, game()), "");
    EXPECT_EQ(autosaved.game->Turn, 2);

    // A file where the folder should be: no write can succeed.
    ASSERT_TRUE(QDir(Saves()).removeRecursively());
    QFile blocker(Saves());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    form->mapPage()->ENDTURN->click();
    form->mapPage()->ENDTURN->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Не удалось сохранить игру"))) << messages[0].toStdString();
    EXPECT_EQ(weights, QList({MessageWeight::Failure}));
    EXPECT_EQ(game().Turn, 4);
    EXPECT_EQ(form->mapPage()->TurnNumber->text(), QStringLiteral("Ход 4"));
    form->mapPage()->Button16->click();  // told already: the window closes
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.size(), 1);
}

}  // namespace
}  // namespace tarq::testing
