// The graphics-preparation page (TabSheet14), shown while the picture cache is
// built: the pie gauge and its label; and the hidden pictures b1 and b2 that
// hold the terrain colour strip and the sheet it was made from.
#pragma once

#include <QWidget>

class QLabel;

namespace tarq {

class ImageBox;
class PieGauge;

class PreparationPage : public QWidget {
    Q_OBJECT
public:
    explicit PreparationPage(QWidget* parent = nullptr);

    // The gauge at 0 of `steps`; the label spans the page control (`width`).
    void BeginProgress(int steps, int width);
    void SetProgress(int position);
    void ShowTerrainPictures(const QImage& sheet, const QImage& strip);

    PieGauge* Gauge1 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label27 = nullptr;
    ImageBox* b1 = nullptr;
    ImageBox* b2 = nullptr;
};

}  // namespace tarq
