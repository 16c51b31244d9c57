// A saved game named on the command line that cannot be opened: its message,
// and the welcome page stays.
#include <QTabWidget>
#include <fstream>

#include "WindowFixture.h"

namespace tarq::testing {
namespace {

TEST_F(WindowTest, GameFileThatCannotBeOpenedKeepsTheWelcomePage) {
    WriteStandardPictures();
    std::ofstream(dir / "damaged.tarq") << "not a game";
    const struct {
        std::string name;
        const char* cause;
    } cases[] = {{"missing.tarq", "файл не найден"}, {"graph", "файл не читается"}, {"damaged.tarq", ""}};
    for (const auto& c : cases) {
        OpenWindow();
        const int welcome = form->PageControl1->currentIndex();
        const QString path = QString::fromStdString((dir / c.name).string());
        EXPECT_FALSE(form->OpenGameFile(path)) << c.name;
        ASSERT_EQ(messages.size(), 1) << c.name;
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Не удалось открыть файл игры \"%1\": ").arg(path)));
        EXPECT_TRUE(messages[0].contains(QString::fromUtf8(c.cause))) << messages[0].toStdString();
        EXPECT_EQ(form->PageControl1->currentIndex(), welcome);
        EXPECT_FALSE(form->PageControl1->isTabVisible(1));  // the map page
        messages.clear();
    }
}

}  // namespace
}  // namespace tarq::testing
