#pragma once
// The progress dialog's two looping pictures, painted: a PC and a scale with data blocks
// travelling between them, from the PC to the scale while records are sent and back while
// they are requested.

#include <QTimer>
#include <QWidget>

namespace vorn {

class TransferAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TransferAnimation(QWidget* parent = nullptr);

    // false: the sending picture; true: the receiving picture.
    void setReceive(bool receive);
    bool receive() const { return receive_; }
    void play();
    void stop();
    bool playing() const { return timer_.isActive(); }

    QSize sizeHint() const override { return {240, 72}; }
    QSize minimumSizeHint() const override { return {180, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int frame_ = 0;
    bool receive_ = false;
};

}  // namespace vorn
