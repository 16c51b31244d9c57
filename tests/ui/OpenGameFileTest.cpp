// A saved game named on the command line: a good file opens on the map page;
// one that cannot be opened gets its message, and the welcome page stays.
#include <QLabel>
#include <QTabWidget>
#include <fstream>

#include "WindowFixture.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

TEST_F(WindowTest, GameFileThatCannotBeOpenedKeepsTheWelcomePage) {
    WriteStandardPictures();
    std::ofstream(dir / "damaged.tarq") << "not a game";
    const struct {
        std::string name;
        const char* says;
    } cases[] = {{"missing.tarq", "такого файла нет"},
                 {"graph", "это папка"},
                 {"damaged.tarq", "не является сохраненной игрой"}};
    for (const auto& c : cases) {
        OpenWindow();
        const int welcome = form->PageControl1->currentIndex();
        const QString path = QString::fromStdString((dir / c.name).string());
        EXPECT_FALSE(form->OpenGameFile(path)) << c.name;
        ASSERT_EQ(messages.size(), 1) << c.name;
        EXPECT_TRUE(messages[0].contains(QStringLiteral("«%1»").arg(path))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QString::fromUtf8(c.says))) << messages[0].toStdString();
        EXPECT_EQ(form->PageControl1->currentIndex(), welcome);
        EXPECT_FALSE(form->PageControl1->isTabVisible(1));  // the map page
        messages.clear();
    }
}

TEST_F(WindowTest, AGoodGameFileOpensOnTheMapPage) {
    ASSERT_TRUE(WriteSyntheticGraph(dir));
    for (const char* clan : {"graph/00.bmp", "graph/02.bmp"}) WriteBitmap(clan, Bitmap(78, 78, 0xFF336699u));
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((dir / "xdg-cache").string()));
    OpenWindow();
    form->show();
    ASSERT_TRUE(form->OpenGameFile(QStringLiteral(TARQ_GAMEFILE_GOLDEN_DIR "/v1.tarq")))
        << messages.join("\n").toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_FALSE(form->PageControl1->isTabVisible(2));  // the welcome page is gone, as after a launch
    EXPECT_EQ(form->game().Turn, 6);
    EXPECT_EQ(form->mapPage()->TurnNumber->text(), QStringLiteral("Ход 6"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
}  // namespace tarq::testing
