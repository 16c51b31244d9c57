// Qt's own Russian catalogue, so the standard buttons and dialogs Qt draws
// ("Да", "Нет", "Отмена", "Открыть") speak the game's language.
#pragma once

class QCoreApplication;

namespace tarq {

// Loads qtbase_ru.qm from Qt's translations folder (Debian's
// qt6-translations-l10n) into `app`. False when the catalogue is missing;
// Qt's buttons then stay English.
bool InstallQtRussianCatalogue(QCoreApplication& app);

}  // namespace tarq
