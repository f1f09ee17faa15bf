#pragma once
// "Select Scale": the list of stores and, for the selected store, its scales. OK stores the list
// in grpscl.dat and makes base/store/scale the current directory. Opening makes the base
// directory current; every way out that does not enter a scale (Exit, Escape, a directory that
// cannot be made or entered) goes back to the directory and title that were current before, so
// that the main window's scale choice stays true. A directory renamed by EDIT Store or EDIT
// Scale is written into grpscl.dat at once, whichever way the dialog is then left.

#include <QDialog>
#include <string>

#include "shell/ScaleDirectory.h"
#include "shell/StoreList.h"

class QListWidget;
class QPushButton;

namespace vorn {

class CSelectScaleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectScaleDlg(QWidget* parent = nullptr);

    // 1 when the last OK found the scale list empty, else 0.
    int noScale() const { return noScale_; }
    // True when the dialog ended with a scale directory made current.
    bool scaleChosen() const { return scaleChosen_; }
    const std::string& basePath() const { return basePath_; }

    QListWidget* storeList() const { return storeList_; }
    QListWidget* scaleList() const { return scaleList_; }

    void reject() override;

private:
    void addStore();
    void deleteStore();
    void editStore();
    void addScale();
    void deleteScale();
    void editScale();
    void choose();
    void storeSelectionChanged();
    void scaleSelectionChanged();
    void refreshLists();
    void setMainTitle(const QString& title);
    void goBack();

    int noScale_ = 0;
    std::string basePath_;
    QListWidget* storeList_;
    QListWidget* scaleList_;
    StoreScaleLists lists_;
    SavedDirectory previousDirectory_;
    QString previousTitle_;
    bool scaleChosen_ = false;
};

}  // namespace vorn
