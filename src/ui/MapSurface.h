// The drawing surface of the map page: a software back buffer that the
// renderer draws into and a plain widget that presents it 1:1. The buffer is
// kept between frames; a flip shows only the rectangles written since the
// last one, and nothing when the frame equals the one shown.
//
// On a high-density screen (a device pixel ratio above 1) the buffer has the
// screen's own pixels, so the map stays sharp: the view's maths, the buffer
// and the mouse positions the surface reports are all in device pixels.
#pragma once

#include "ui/Widgets.h"

#include "view/BackBuffer.h"

namespace tarq {

class MapSurface : public PointerWidget {
    Q_OBJECT
public:
    explicit MapSurface(QWidget* parent = nullptr);

    // Allocates the back buffer at the widget's size; finalize() drops it.
    void initialize();
    void finalize();
    bool initialized() const { return initialized_; }

    BackBuffer& backBuffer() { return buffer_; }
    // The surface's size in device pixels, the size the view is computed for.
    int pixelWidth() const;
    int pixelHeight() const;
    // A point in device pixels as the widget's own (logical) point.
    QPoint toLogical(int x, int y) const;
    // Carried out by the next frame drawn, which writes only the pixels it changes.
    void clear(Pixel colour = 0xFF000000u);
    // Shows what changed in the back buffer (the flip).
    void present();

signals:
    void initializedSurface();
    void finalizedSurface();

protected:
    void paintEvent(QPaintEvent*) override;
    QPoint ReportedPosition(const QMouseEvent* e) const override;

private:
    BackBuffer buffer_;
    bool initialized_ = false;
};

}  // namespace tarq
