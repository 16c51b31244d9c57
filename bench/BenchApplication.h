// The Qt application of a benchmark program that needs one.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace tarq::bench {

// Created on first use and kept to the end of the process: destroying it among
// the other statics at exit would run after Qt's own globals are gone.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "tarq_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        // Windows measured here start from the default settings, never the user's kept ones.
        static QTemporaryDir settings;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        return created;
    }();
    return *app;
}

}  // namespace tarq::bench
