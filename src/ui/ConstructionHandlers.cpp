// Construction orders chosen in the command menu: a build option, taking the
// builder out of a finished site, cancelling. The engine carries them out;
// here its messages are shown, END TURN follows the click mode and the map is
// redrawn.
#include <QPushButton>

#include "control/Construction.h"
#include "ui/MainWindow.h"

namespace tarq {

void TMainForm::ConstructionOrder(MenuAction action, int value, const std::string& caption) {
    ConstructionResult result;
    switch (action) {
        case MenuAction::StartConstruction: result = StartConstruction(*game_, value, caption); break;
        case MenuAction::TakeOutBuilder: result = TakeOutBuilder(*game_, value); break;
        case MenuAction::CancelConstruction: result = CancelConstruction(*game_, value); break;
        default: return;
    }
    ENDTURN->setEnabled(EndTurnEnabled(*game_));
    for (const std::string& text : result.messages) ShowMessage(QString::fromStdString(text));
    if (result.acted) RenderAndPresent();
}

}  // namespace tarq
