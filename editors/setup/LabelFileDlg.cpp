#include "editors/setup/LabelFileDlg.h"

#include <filesystem>

#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editors/setup/LabelFile.h"
#include "platform/Prompter.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {

// Brings the working directory back when it goes, whatever happened in between.
class WorkingDirectoryKeeper {
public:
    WorkingDirectoryKeeper() { saved_ = std::filesystem::current_path(error_); }
    ~WorkingDirectoryKeeper() {
        if (!error_) {
            std::error_code ignored;
            std::filesystem::current_path(saved_, ignored);
        }
    }
    WorkingDirectoryKeeper(const WorkingDirectoryKeeper&) = delete;
    WorkingDirectoryKeeper& operator=(const WorkingDirectoryKeeper&) = delete;

private:
    std::filesystem::path saved_;
    std::error_code error_;
};

}  // namespace

QString chooseLabelFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(labellayout::kFileFilter);
    dialog.setDefaultSuffix(labellayout::kExtension);
    dialog.setDirectory(QDir::currentPath());
    dialog.selectFile(labellayout::kDefaultFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

CLabelFileDlg::CLabelFileDlg(QWidget* parent) : QDialog(parent), chooseFile_(chooseLabelFile) {
    setWindowTitle("Label Load And Download Dialog");
    buildWidgets();
}

void CLabelFileDlg::buildWidgets() {
    auto* select = new QGroupBox("Select Label Number", this);
    auto* selectLayout = new QHBoxLayout(select);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QRadioButton(QString("Label #%1").arg(i + 1), select);
        selectLayout->addWidget(labels_[i]);
    }
    labels_[0]->setChecked(true);
    selectLayout->addStretch(1);

    auto* pathGroup = new QGroupBox("Path And Name", this);
    auto* pathLabel = new QLabel("Label File Path And Name For Load And Download:", pathGroup);
    path_ = new QLineEdit(pathGroup);
    path_->setObjectName("path");
    path_->setAccessibleName(pathLabel->text());
    path_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    pathLabel->setBuddy(path_);
    auto* browse = new QPushButton("...", pathGroup);
    browse->setAutoDefault(false);
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance("...") + 24);
    connect(browse, &QPushButton::clicked, this, &CLabelFileDlg::onBrowse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);
    auto* pathLayout = new QVBoxLayout(pathGroup);
    pathLayout->addWidget(pathLabel);
    pathLayout->addLayout(pathRow);

    auto button = [this](const char* caption, void (CLabelFileDlg::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button("Sc->PC", &CLabelFileDlg::onReceive));
    buttons->addWidget(button("PC->Sc", &CLabelFileDlg::onSend));
    buttons->addWidget(button("&Close", &CLabelFileDlg::reject));

    auto* top = new QVBoxLayout(this);
    top->addWidget(select);
    top->addWidget(pathGroup);
    top->addLayout(buttons);
}

int CLabelFileDlg::labelNumber() const {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (labels_[i]->isChecked()) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

std::string CLabelFileDlg::path() const {
    return fromQString(path_->text());
}

void CLabelFileDlg::keyPressEvent(QKeyEvent* e) {
    // There is no default button: Enter presses the button that has the focus and nothing else.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
            focused->click();
        }
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CLabelFileDlg::onBrowse() {
    const WorkingDirectoryKeeper keeper;
    const QString chosen = chooseFile_(this);
    if (chosen.isEmpty()) {
        return;
    }
    if (!hasLabelFileExtension(fromQString(chosen))) {
        tell(labellayout::kWrongTypeMessage);
        return;
    }
    path_->setText(QFileInfo(chosen).absoluteFilePath());
}

void CLabelFileDlg::onSend() {
    sendLabelFile(path(), labelNumber());
}

void CLabelFileDlg::onReceive() {
    receiveLabelFile(path(), labelNumber());
}

}  // namespace vorn
