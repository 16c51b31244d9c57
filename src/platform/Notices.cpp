#include "platform/Notices.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <cstring>

namespace tarq {
namespace {

QFont NoticeFont() {
    QFont font;
    font.setFamilies(QStringList{"Times New Roman", "Liberation Serif"});
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

bool CanRenderNotices() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

Bitmap RenderNotice(const std::string& text) {
    Bitmap cell(kNoticeCell, kNoticeCell, kNoticeBackground);
    if (!CanRenderNotices()) return cell;
    QImage image(kNoticeCell, kNoticeCell, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(kNoticeBackground));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        // The corner around pixel (1, 1) stays background: it is the colour key.
        painter.setClipRegion(QRegion(0, 0, kNoticeCell, kNoticeCell).subtracted(QRegion(0, 0, 3, 3)));
        painter.setFont(NoticeFont());
        painter.setPen(QColor::fromRgb(kNoticeText));
        painter.drawText(QRect(0, 0, kNoticeCell, kNoticeCell), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdString(text));
    }
    for (int y = 0; y < kNoticeCell; ++y) std::memcpy(cell.row(y), image.constScanLine(y), sizeof(Pixel) * kNoticeCell);
    return cell;
}

Bitmap RenderNoticeStrip(const Game& game, GaugeCounter& gauge, const CacheProgress& progress) {
    Bitmap strip(kNoticeStripWidth, kNoticeCell, kNoticeBackground);
    for (int type = 1; type <= kTypeCount; ++type) {
        const Bitmap cell = RenderNotice(NoticeText(game.UnitTypes[type].Name));
        for (int y = 0; y < kNoticeCell; ++y)
            std::memcpy(strip.row(y) + (type - 1) * kNoticeCell, cell.row(y), sizeof(Pixel) * kNoticeCell);
        gauge.add(1);
        if (progress.noticeDone) progress.noticeDone();
    }
    return strip;
}

}  // namespace tarq
