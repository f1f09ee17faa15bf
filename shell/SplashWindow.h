#pragma once
// The start-up picture: shown over the main window for two seconds. A key press or a mouse
// button press anywhere in the application removes it and is swallowed, so the press that
// dismisses the picture does nothing else.

#include <QPixmap>
#include <QWidget>

namespace vorn {

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 2000;

    // Shows the picture over the owner unless one is already shown.
    static void showSplashScreen(QWidget* owner);
    // The picture on screen, or nullptr.
    static CSplashWindow* current();
    // Removes the picture now.
    void hideSplashScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWindow(QWidget* owner);
    ~CSplashWindow() override;

    QPixmap picture_;
    QWidget* owner_;
};

}  // namespace vorn
