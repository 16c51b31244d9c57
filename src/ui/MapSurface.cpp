#include "ui/MapSurface.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tarq {

MapSurface::MapSurface(QWidget* parent) : PointerWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void MapSurface::initialize() {
    buffer_ = Bitmap(std::max(width(), 1), std::max(height(), 1));
    initialized_ = true;
    emit initializedSurface();
}

void MapSurface::finalize() {
    if (!initialized_) return;
    initialized_ = false;
    emit finalizedSurface();
}

void MapSurface::clear(Pixel colour) { std::fill(buffer_.pixels.begin(), buffer_.pixels.end(), colour); }

void MapSurface::present() { repaint(); }

void MapSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!initialized_ || buffer_.empty()) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // Wraps the buffer without copying; presented 1:1.
    const QImage frame(reinterpret_cast<const uchar*>(buffer_.pixels.data()), buffer_.width, buffer_.height,
                       buffer_.width * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB32);
    p.drawImage(0, 0, frame);
    if (buffer_.width < width()) p.fillRect(buffer_.width, 0, width() - buffer_.width, height(), Qt::black);
    if (buffer_.height < height()) p.fillRect(0, buffer_.height, width(), height() - buffer_.height, Qt::black);
}

}  // namespace tarq
