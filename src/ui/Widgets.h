// Small widgets the game's pages need beyond Qt's own: a radio group with an
// item index, a picture box that shows a pixel buffer (stretched or at its own
// size) and reports mouse presses, and the pie gauge of the preparation page.
#pragma once

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <vector>

class QRadioButton;

namespace tarq {

// A titled group of radio buttons; itemIndex() is the checked item, -1 for none.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, int columns = 1, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    QString itemText(int index) const;
signals:
    // Raised when the user picks an item (not when setItemIndex is called).
    void clicked();
    // Raised whenever another item becomes the checked one, by the user or by code.
    void itemChanged(int index);

private:
    std::vector<QRadioButton*> buttons_;
};

// A control that reports the mouse in its own pixels: presses and releases of
// any button, moves (tracked without a button too), and a click, which is a
// left press and release inside the control.
class PointerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PointerWidget(QWidget* parent = nullptr);
signals:
    void mousePressed(Qt::MouseButton button, int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // The position the signals carry: the widget's own point unless a control counts otherwise.
    virtual QPoint ReportedPosition(const QMouseEvent* e) const;

private:
    bool leftPressed_ = false;
};

// A picture control: shows an image stretched to its size or at its own size,
// optionally with one colour shown as see-through, and reports the mouse.
class ImageBox : public PointerWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    void setStretch(bool stretch) {
        stretch_ = stretch;
        update();
    }
    // Fills the control with `colour` where no picture covers it.
    void setBackground(const QColor& colour) {
        background_ = colour;
        update();
    }
    // Turns every pixel of `key` into see-through pixels of the shown image.
    void setTransparentKey(QRgb key) {
        key_ = key;
        hasKey_ = true;
        setImage(image_);
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
    QImage shown_;
    bool stretch_ = true;
    bool hasKey_ = false;
    QRgb key_ = 0;
    QColor background_;  // invalid: see-through
};

// A round progress gauge: the filled pie is progress / maximum of the circle.
class PieGauge : public QWidget {
    Q_OBJECT
public:
    explicit PieGauge(QWidget* parent = nullptr) : QWidget(parent) {}
    void setMaxValue(int max) {
        max_ = max > 0 ? max : 1;
        update();
    }
    void setProgress(int progress) {
        progress_ = progress;
        update();
    }
    void addProgress(int delta) { setProgress(progress_ + delta); }
    int maxValue() const { return max_; }
    int progress() const { return progress_; }
    // Percentage shown, never above 100 even when the increments overshoot.
    int percent() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int max_ = 100;
    int progress_ = 0;
};

}  // namespace tarq
