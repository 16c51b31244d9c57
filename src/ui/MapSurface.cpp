#include "ui/MapSurface.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QtMath>
#include <algorithm>

namespace tarq {

MapSurface::MapSurface(QWidget* parent) : PointerWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

// A logical size of w is w * ratio device pixels, rounded up so the buffer
// covers the widget.
int MapSurface::pixelWidth() const { return qCeil(width() * devicePixelRatioF()); }
int MapSurface::pixelHeight() const { return qCeil(height() * devicePixelRatioF()); }

QPoint MapSurface::toLogical(int x, int y) const {
    const qreal ratio = devicePixelRatioF();
    return {qFloor(x / ratio), qFloor(y / ratio)};
}

QPoint MapSurface::ReportedPosition(const QMouseEvent* e) const {
    const QPointF p = e->position() * devicePixelRatioF();
    return {qFloor(p.x()), qFloor(p.y())};
}

void MapSurface::initialize() {
    buffer_ = BackBuffer(std::max(pixelWidth(), 1), std::max(pixelHeight(), 1));
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
    const qreal ratio = devicePixelRatioF();
    QRegion region;
    for (const PixelRect& r : changes) {
        const QPoint from = toLogical(r.x0, r.y0);
        region += QRect(from, QPoint(qCeil(r.x1 / ratio), qCeil(r.y1 / ratio)) - QPoint(1, 1));
    }
    repaint(region);
}

void MapSurface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!initialized_ || buffer_.width() < 1) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // Wraps the buffer without copying; presented 1:1 to device pixels, only
    // the region asked for.
    const Bitmap& pixels = buffer_.Pixels();
    const QImage frame(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                       pixels.width * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB32);
    const qreal ratio = devicePixelRatioF();
    for (const QRect& r : e->region()) {
        if (ratio == 1.0)
            p.drawImage(r.topLeft(), frame, r);
        else
            p.drawImage(QRectF(r), frame, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
    const QPoint covered = toLogical(pixels.width, pixels.height);
    if (covered.x() < width()) p.fillRect(covered.x(), 0, width() - covered.x(), height(), Qt::black);
    if (covered.y() < height()) p.fillRect(0, covered.y(), width(), height() - covered.y(), Qt::black);
}

}  // namespace tarq
