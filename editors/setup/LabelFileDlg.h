#pragma once
// CLabelFileDlg: "Label Load And Download Dialog". Chooses a label number and a layout file and
// moves the layout between the file and the scale; the rules are in LabelFile. The browse
// button's file dialog never moves the program away from the scale's directory.

#include <array>
#include <functional>

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

namespace vorn {

class CLabelFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelFileDlg(QWidget* parent = nullptr);

    // Asks the user for a layout file; the empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;
    // Replaces the file dialog of the browse button (tests).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void buildWidgets();
    int labelNumber() const;
    std::string path() const;

    void onBrowse();
    void onSend();
    void onReceive();

    std::array<QRadioButton*, 3> labels_{};
    QLineEdit* path_ = nullptr;
    FileChooser chooseFile_;
};

// The program's file dialog for a layout file: filter "Label Files (*.lbl)", default extension
// "lbl", default name "lab.lbl"; a file that does not exist yet may be named.
QString chooseLabelFile(QWidget* parent);

}  // namespace vorn
