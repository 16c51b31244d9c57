#include "ui/MapSurface.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace tarq {

MapSurface::MapSurface(QWidget* parent) : PointerWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void MapSurface::initialize() {
    buffer_ = BackBuffer(std::max(width(), 1), std::max(height(), 1));
    initialized_ = true;
    emit initializedSurface();
}

void MapSurface::finalize() {
    if (!initialized_) return;
    initialized_ = false;
    emit finalizedSurface();
}

void MapSurface::clear(Pixel colour) { buffer_.Clear(colour); }

void MapSurface::present() {
    buffer_.Pixels();  // a clear that no frame followed
    const std::vector<PixelRect> changes = buffer_.TakeChanges();
    if (changes.empty()) return;
    QRegion region;
    for (const PixelRect& r : changes) region += QRect(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    repaint(region);
}

void MapSurface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!initialized_ || buffer_.width() < 1) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // Wraps the buffer without copying; presented 1:1, only the region asked for.
    const Bitmap& pixels = buffer_.Pixels();
    const QImage frame(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                       pixels.width * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB32);
    for (const QRect& r : e->region()) p.drawImage(r.topLeft(), frame, r);
    if (pixels.width < width()) p.fillRect(pixels.width, 0, width() - pixels.width, height(), Qt::black);
    if (pixels.height < height()) p.fillRect(0, pixels.height, width(), height() - pixels.height, Qt::black);
}

}  // namespace tarq
