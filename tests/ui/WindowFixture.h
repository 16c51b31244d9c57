// A main window on the offscreen platform, with its messages recorded instead
// of shown, working in a temporary folder the test fills with pictures.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "platform/BmpFile.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NewGamePage.h"
#include "ui/PreparationPage.h"
#include "ui/PurchasesPage.h"
#include "ui/RestrictionsPage.h"
#include "ui/SettingsPage.h"
#include "ui/StartConditionsPage.h"
#include "ui/TechnicalPage.h"
#include "ui/WelcomePage.h"

namespace tarq::testing {

QApplication& TestApplication();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a BMP of the given size filled with `fill` under the work folder.
    void WriteBitmap(const std::string& relative, const Bitmap& bitmap);
    void WriteStandardPictures();
    void OpenWindow();
    // Where the window keeps its settings during this test (inside `dir`).
    std::filesystem::path SettingsFolder() const { return dir / "config"; }

    std::filesystem::path dir;
    QStringList messages;
    QList<MessageWeight> weights;  // of each message, in the same order
    std::unique_ptr<TMainForm> form;
};

// A terrain sheet of 3 x 2 tiles whose tile t has a distinct centre colour.
Bitmap SmallTerrainSheet();

}  // namespace tarq::testing
