#pragma once
// The view: an empty light grey area under the toolbar. Escape here closes the main window,
// as "E&xit" does.

#include <QWidget>

namespace vorn {

class CQuelView : public QWidget {
    Q_OBJECT
public:
    explicit CQuelView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vorn
