// The drawing surface of the map page: a software back buffer that the
// renderer draws into and a plain widget that presents it 1:1.
#pragma once

#include "ui/Widgets.h"

#include "view/Bitmap.h"

namespace tarq {

class MapSurface : public PointerWidget {
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

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Bitmap buffer_;
    bool initialized_ = false;
};

}  // namespace tarq
