#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <string>

#include "platform/Prompter.h"
#include "res/Artwork.h"
#include "shell/AboutDlg.h"

namespace vorn {

std::string buildDateText() {
    char text[96];
    std::snprintf(text, sizeof text, kBuildDateFormat, kBuildDate);
    return text;
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent), version_(new QPushButton("version(&V)", this)) {
    setWindowTitle("About vorn");
    auto* layout = new QGridLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(artwork::startupPicture());
    picture->setAccessibleName("vorn");
    layout->addWidget(picture, 0, 0, 1, 3);

    auto* icon = new QLabel(this);
    icon->setPixmap(artwork::applicationIcon().pixmap(32, 32));
    layout->addWidget(icon, 1, 0);

    // The version is the build's, as --version prints it.
    auto* versionText = new QLabel(QString("vorn version ") + VORN_VERSION, this);
    versionText->setObjectName("versionText");
    auto* secondLine = new QLabel("7305 Data Management Tool", this);
    secondLine->hide();
    version_->hide();
    layout->addWidget(versionText, 1, 1);
    layout->addWidget(secondLine, 3, 0);
    layout->addWidget(version_, 2, 1);
    connect(version_, &QPushButton::clicked, this, &CAboutDlg::showBuildDate);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 1, 2);
    layout->setColumnStretch(1, 1);
    setWindowIcon(artwork::applicationIcon());
}

void CAboutDlg::showBuildDate() {
    tell(buildDateText());
}

}  // namespace vorn
