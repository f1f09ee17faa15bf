#include <QApplication>
#include <QMainWindow>

#include "platform/QtPrompter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vorn::QtPrompter prompter;
    vorn::installPrompter(&prompter);
    QMainWindow window;
    window.setWindowTitle("vorn");
    window.showMaximized();
    return QApplication::exec();
}
