#include "desktop/QtCatalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarq {

bool InstallQtRussianCatalogue(QCoreApplication& app) {
    auto* catalogue = new QTranslator(&app);
    if (catalogue->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(catalogue))
        return true;
    delete catalogue;
    return false;
}

}  // namespace tarq
