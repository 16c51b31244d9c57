#include "ui/MainWindow.h"

namespace tarq {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) { resize(776, 600); }

}  // namespace tarq
