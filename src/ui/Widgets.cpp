#include "ui/Widgets.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

namespace tarq {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / std::max(columns, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        layout->addWidget(button, i % rows, i / rows);
        connect(button, &QRadioButton::clicked, this, &RadioGroup::clicked);
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) emit itemChanged(i);
        });
        buttons_.push_back(button);
    }
}

int RadioGroup::itemIndex() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < count()) buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

QString RadioGroup::itemText(int index) const {
    if (index < 0 || index >= count()) return {};
    return buttons_[static_cast<std::size_t>(index)]->text();
}

PointerWidget::PointerWidget(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

QPoint PointerWidget::ReportedPosition(const QMouseEvent* e) const { return e->position().toPoint(); }

void PointerWidget::mousePressEvent(QMouseEvent* e) {
    const QPoint p = ReportedPosition(e);
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    emit mousePressed(e->button(), p.x(), p.y());
}

void PointerWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = ReportedPosition(e);
    emit mouseMoved(p.x(), p.y());
}

void PointerWidget::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = ReportedPosition(e);
    emit mouseReleased(e->button(), p.x(), p.y());
    if (e->button() != Qt::LeftButton) return;
    if (leftPressed_ && rect().contains(e->position().toPoint())) emit clicked();
    leftPressed_ = false;
}

ImageBox::ImageBox(QWidget* parent) : PointerWidget(parent) {}

void ImageBox::setImage(const QImage& image) {
    image_ = image;
    if (hasKey_ && !image.isNull()) {
        shown_ = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown_.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown_.scanLine(y));
            for (int x = 0; x < shown_.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == (key_ & 0xFFFFFFu)) line[x] = 0;
        }
    } else {
        shown_ = image;
    }
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (background_.isValid()) p.fillRect(rect(), background_);
    if (shown_.isNull()) return;
    if (stretch_)
        p.drawImage(rect(), shown_);
    else
        p.drawImage(0, 0, shown_);
}

int PieGauge::percent() const { return std::clamp(progress_ * 100 / max_, 0, 100); }

void PieGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 4;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(circle);
    p.setBrush(QColor(0, 0, 128));
    // Qt angles are in 1/16 degree, counter-clockwise from 3 o'clock; fill clockwise from 12.
    const int span = -std::min(progress_, max_) * 360 * 16 / max_;
    p.drawPie(circle, 90 * 16, span);
    p.setPen(Qt::darkGray);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("%1%").arg(percent()));
}

}  // namespace tarq
