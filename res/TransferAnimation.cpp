#include "res/TransferAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vorn {

namespace {
constexpr int kFrames = 24;
constexpr int kFrameMs = 60;
constexpr int kBlocks = 3;

void paintPc(QPainter& p, const QRectF& r) {
    const QRectF screen(r.left(), r.top(), r.width(), r.height() * 0.62);
    p.setPen(QPen(QColor(60, 60, 70), 1.5));
    p.setBrush(QColor(215, 218, 225));
    p.drawRoundedRect(screen, 3, 3);
    p.setBrush(QColor(40, 90, 160));
    p.drawRect(screen.adjusted(4, 4, -4, -4));
    const QRectF stand(r.center().x() - r.width() * 0.12, screen.bottom(), r.width() * 0.24,
                       r.height() * 0.14);
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(stand);
    p.drawRoundedRect(
        QRectF(r.left() + r.width() * 0.1, stand.bottom(), r.width() * 0.8, r.height() * 0.14), 2,
        2);
}

void paintScale(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(60, 60, 70), 1.5));
    // Platter on a post, and the body with its display.
    p.setBrush(QColor(190, 195, 200));
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.05, r.width(), r.height() * 0.12),
                      2, 2);
    p.drawRect(QRectF(r.center().x() - 3, r.top() + r.height() * 0.17, 6, r.height() * 0.2));
    const QRectF body(r.left(), r.top() + r.height() * 0.37, r.width(), r.height() * 0.63);
    p.setBrush(QColor(230, 230, 225));
    p.drawRoundedRect(body, 4, 4);
    p.setBrush(QColor(30, 60, 40));
    const QRectF display(body.left() + 5, body.top() + 5, body.width() - 10, body.height() * 0.35);
    p.drawRect(display);
    p.setPen(QColor(120, 230, 120));
    QFont f = p.font();
    f.setPixelSize(qMax(6, static_cast<int>(display.height() * 0.8)));
    p.setFont(f);
    p.drawText(display, Qt::AlignCenter, QStringLiteral("0.00"));
}

}  // namespace

TransferAnimation::TransferAnimation(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void TransferAnimation::setReceive(bool receive) {
    receive_ = receive;
    // A screen reader says which way the records go, as the picture shows it.
    setAccessibleName(receive ? tr("Receiving records from the scale")
                              : tr("Sending records to the scale"));
    update();
}

void TransferAnimation::play() {
    frame_ = 0;
    timer_.start();
}

void TransferAnimation::stop() {
    timer_.stop();
}

void TransferAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
    const qreal side = qMin(area.height(), area.width() * 0.25);
    const QRectF pc(area.left(), area.center().y() - side / 2, side * 1.1, side);
    const QRectF scale(area.right() - side * 1.1, area.center().y() - side / 2, side * 1.1, side);
    paintPc(p, pc);
    paintScale(p, scale);

    // The track and the blocks on it; each block is a record on its way.
    const qreal from = pc.right() + 8;
    const qreal to = scale.left() - 8;
    const qreal y = area.center().y();
    p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
    p.drawLine(QPointF(from, y), QPointF(to, y));
    const qreal block = qMax<qreal>(8, side * 0.22);
    for (int i = 0; i < kBlocks; ++i) {
        const qreal t =
            std::fmod(static_cast<qreal>(frame_) / kFrames + static_cast<qreal>(i) / kBlocks, 1.0);
        const qreal along = receive_ ? 1.0 - t : t;
        const qreal x = from + along * (to - from - block);
        p.setPen(QPen(QColor(120, 70, 0), 1));
        p.setBrush(receive_ ? QColor(60, 170, 90) : QColor(240, 160, 40));
        p.drawRect(QRectF(x, y - block / 2, block, block));
    }
    // An arrow head at the receiving end.
    QPainterPath arrow;
    const qreal tip = receive_ ? from - 2 : to + 2;
    const qreal back = receive_ ? tip + 7 : tip - 7;
    arrow.moveTo(tip, y);
    arrow.lineTo(back, y - 5);
    arrow.lineTo(back, y + 5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawPath(arrow);
}

}  // namespace vorn
