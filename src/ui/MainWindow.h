#pragma once

#include <QMainWindow>

namespace tarq {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

}  // namespace tarq
