#include "WindowFixture.h"

#include <unistd.h>
#include <QSettings>

namespace tarq::testing {

// Lives until the process ends: destroying it among the other statics at exit
// would run after Qt's own globals are gone.
QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "tarq_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        // Never the user's settings file: a folder of this run until a test names its own.
        QSettings::setPath(
            QSettings::IniFormat, QSettings::UserScope,
            QString::fromStdString(
                (std::filesystem::temp_directory_path() / ("tarq-ui-settings-" + std::to_string(getpid()))).string()));
        return created;
    }();
    return *app;
}

void WindowTest::SetUp() {
    TestApplication();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Per process too: the suite runs again at another scale, and other checkouts run it on this machine.
    dir = std::filesystem::temp_directory_path() /
          (std::string("tarq-ui-") + info->test_suite_name() + "-" + info->name() + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "graph");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(SettingsFolder().string()));
    // Saves and autosaves go to this test's folder, never the player's.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "xdg-data").string()));
}

void WindowTest::TearDown() {
    form.reset();
    std::filesystem::remove_all(dir);
}

void WindowTest::WriteBitmap(const std::string& relative, const Bitmap& bitmap) {
    std::filesystem::create_directories((dir / relative).parent_path());
    ASSERT_TRUE(SaveBitmapFile(dir / relative, bitmap)) << relative;
}

void WindowTest::WriteStandardPictures() {
    WriteBitmap("graph/Terrain0.bmp", SmallTerrainSheet());
    WriteBitmap("graph/00.bmp", Bitmap(78, 78, 0xFF336699u));
}

void WindowTest::OpenWindow() {
    form = std::make_unique<TMainForm>(dir, [this](const QString& text, MessageWeight weight) {
        messages << text;
        weights << weight;
    });
}

Bitmap SmallTerrainSheet() {
    Bitmap sheet(3 * 64, 2 * 64, 0xFF000000u);
    for (int t = 0; t < 6; ++t) {
        const Pixel colour = 0xFF000000u | static_cast<Pixel>(0x102030 * (t + 1));
        const int x0 = (t % 3) * 64, y0 = (t / 3) * 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) sheet.at(x0 + x, y0 + y) = (x == 32 && y == 32) ? colour : 0xFF0A0A0Au;
    }
    return sheet;
}

}  // namespace tarq::testing
