// The technical-data page (TabSheet13), opened from the command menu: two
// place-holder texts and "Возврат".
#pragma once

#include <QWidget>

class QPushButton;

namespace tarq {

class TechnicalPage : public QWidget {
    Q_OBJECT
public:
    explicit TechnicalPage(QWidget* parent = nullptr);

signals:
    void returnRequested();  // Button15 "Возврат"

public:
    QPushButton* Button15 = nullptr;
};

}  // namespace tarq
