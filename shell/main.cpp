#include <QApplication>

#include "platform/QtPrompter.h"
#include "shell/QuelApp.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vorn::QtPrompter prompter;
    vorn::installPrompter(&prompter);
    int result = 1;
    {
        vorn::CQuelApp quel;
        if (quel.initInstance()) {
            result = QApplication::exec();
        }
        quel.exitInstance();
    }
    vorn::installPrompter(nullptr);
    return result;
}
