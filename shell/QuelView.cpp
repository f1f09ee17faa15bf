#include <QKeyEvent>
#include <QPalette>

#include "shell/QuelView.h"

namespace vorn {

CQuelView::CQuelView(QWidget* parent) : QWidget(parent) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("vorn");
}

void CQuelView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        window()->close();
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vorn
