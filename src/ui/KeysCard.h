// The small card F1 opens: every key of the window and what it does.
#pragma once

#include <QDialog>

namespace tarq {

class KeysCard : public QDialog {
    Q_OBJECT
public:
    explicit KeysCard(QWidget* parent = nullptr);
};

}  // namespace tarq
