// The drawing surface of the map page: a software back buffer that the
// renderer draws into and a plain widget that presents it 1:1.
#pragma once

#include <QWidget>

#include "view/Bitmap.h"

namespace tarq {

class MapSurface : public QWidget {
    Q_OBJECT
public:
    explicit MapSurface(QWidget* parent = nullptr);

    // Allocates the back buffer at the widget's size; finalize() drops it.
    void initialize();
    void finalize();
    bool initialized() const { return initialized_; }

    Bitmap& backBuffer() { return buffer_; }
    void clear(Pixel colour = 0xFF000000u);
    // Shows the back buffer (the flip).
    void present();

signals:
    void initializedSurface();
    void finalizedSurface();
    void mousePressed(Qt::MouseButton button, int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);
    // A left press and release on the surface.
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    Bitmap buffer_;
    bool initialized_ = false;
    bool leftPressed_ = false;
};

}  // namespace tarq
