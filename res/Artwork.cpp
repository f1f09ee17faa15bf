#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "res/Artwork.h"

namespace vorn::artwork {

namespace {
constexpr int kToolbarWidth = 16;
constexpr int kToolbarHeight = 15;

// A weighing scale seen from the front: platform, column and display head, inside the rect.
void paintScale(QPainter& p, const QRectF& r) {
    const qreal w = r.width();
    const qreal h = r.height();
    p.setPen(QPen(QColor(40, 40, 60), qMax<qreal>(1.0, w / 40)));
    p.setBrush(QColor(200, 205, 215));
    const QRectF platform(r.left() + w * 0.08, r.top() + h * 0.55, w * 0.84, h * 0.12);
    p.drawRoundedRect(platform, w * 0.03, w * 0.03);
    p.setBrush(QColor(120, 125, 140));
    const QRectF base(r.left() + w * 0.02, r.top() + h * 0.70, w * 0.96, h * 0.26);
    p.drawRoundedRect(base, w * 0.04, w * 0.04);
    const QRectF column(r.left() + w * 0.72, r.top() + h * 0.22, w * 0.10, h * 0.33);
    p.drawRect(column);
    p.setBrush(QColor(30, 40, 50));
    const QRectF head(r.left() + w * 0.52, r.top() + h * 0.04, w * 0.44, h * 0.22);
    p.drawRoundedRect(head, w * 0.03, w * 0.03);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 230, 120));
    p.drawRect(head.adjusted(w * 0.04, h * 0.05, -w * 0.04, -h * 0.05));
}

QPixmap blankToolbarImage() {
    QPixmap pixmap(kToolbarWidth, kToolbarHeight);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
}  // namespace

QPixmap startupPicture() {
    QPixmap pixmap(420, 260);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(20, 60, 120));
    sky.setColorAt(1, QColor(80, 140, 200));
    p.fillRect(pixmap.rect(), sky);
    paintScale(p, QRectF(262, 80, 140, 135));
    p.setPen(Qt::white);
    QFont title("Sans", 44, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(24, 50, 220, 80), Qt::AlignLeft | Qt::AlignVCenter, "vorn");
    QFont line("Sans", 11);
    p.setFont(line);
    p.drawText(QRect(26, 130, 220, 24), Qt::AlignLeft | Qt::AlignVCenter,
               "7305 Data Management Tool");
    p.drawText(QRect(26, 154, 220, 24), Qt::AlignLeft | Qt::AlignVCenter, "for retail scales");
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        paintScale(p, QRectF(0, 0, size, size));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap toolbarImage(ToolbarImage image) {
    QPixmap pixmap = blankToolbarImage();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 30, 40);
    switch (image) {
        case ToolbarImage::SelectScale:
            paintScale(p, QRectF(0, 0, kToolbarWidth, kToolbarHeight));
            break;
        case ToolbarImage::Exit: {
            p.setPen(QPen(ink, 1));
            p.setBrush(QColor(170, 110, 60));
            p.drawRect(QRectF(2.5, 1.5, 7, 12));
            p.setPen(QPen(QColor(200, 30, 30), 2));
            p.drawLine(QPointF(7, 7.5), QPointF(14, 7.5));
            p.drawLine(QPointF(11.5, 4.5), QPointF(14.5, 7.5));
            p.drawLine(QPointF(11.5, 10.5), QPointF(14.5, 7.5));
            break;
        }
        case ToolbarImage::About: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 90, 200));
            p.drawEllipse(QRectF(1, 0.5, 14, 14));
            p.setPen(Qt::white);
            QFont f("Sans");
            f.setPixelSize(11);
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRectF(1, 0.5, 14, 14), Qt::AlignCenter, "?");
            break;
        }
        case ToolbarImage::Cut: {
            p.setPen(QPen(ink, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 9.5, 4.5, 4.5));
            p.drawEllipse(QRectF(10, 9.5, 4.5, 4.5));
            p.drawLine(QPointF(5, 10), QPointF(11, 1));
            p.drawLine(QPointF(11, 10), QPointF(5, 1));
            break;
        }
        case ToolbarImage::Copy: {
            p.setPen(QPen(ink, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 8, 10));
            p.drawRect(QRectF(6.5, 4.5, 8, 10));
            break;
        }
        case ToolbarImage::Paste: {
            p.setPen(QPen(ink, 1));
            p.setBrush(QColor(180, 130, 70));
            p.drawRect(QRectF(2.5, 2.5, 10, 12));
            p.setBrush(QColor(150, 150, 160));
            p.drawRect(QRectF(5.5, 0.5, 4, 3));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 6.5, 8, 8));
            break;
        }
    }
    return pixmap;
}

QPixmap portPicture() {
    QPixmap pixmap(72, 150);
    pixmap.fill(QColor(0, 70, 120));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A nine-pin serial connector standing upright, with its cable.
    p.setPen(QPen(QColor(230, 230, 235), 3));
    p.drawLine(QPointF(36, 118), QPointF(36, 150));
    QPainterPath shell;
    shell.moveTo(16, 20);
    shell.lineTo(56, 20);
    shell.lineTo(50, 110);
    shell.lineTo(22, 110);
    shell.closeSubpath();
    p.setPen(QPen(QColor(40, 40, 50), 1.5));
    p.setBrush(QColor(190, 195, 205));
    p.drawPath(shell);
    p.setBrush(QColor(60, 60, 70));
    for (int i = 0; i < 5; ++i) {
        p.drawEllipse(QPointF(29, 32 + i * 17), 3, 3);
    }
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QPointF(43, 40 + i * 17), 3, 3);
    }
    return pixmap;
}

QPixmap portIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 50), 1.5));
    p.setBrush(QColor(60, 120, 200));
    p.drawRoundedRect(QRectF(3, 9, 18, 14), 3, 3);
    p.setPen(QPen(QColor(40, 40, 50), 2));
    p.drawLine(QPointF(21, 13), QPointF(29, 13));
    p.drawLine(QPointF(21, 19), QPointF(29, 19));
    return pixmap;
}

}  // namespace vorn::artwork
