#pragma once
// CPluListDlg ("PLU List"): the PLU table of the selected scale while it is open. It shows the
// rows of its PluTable through a model and a view, and runs the editor, the transfers and the
// spreadsheet import/export program. Only "Save/Exit" and "Import/Export" write plurec.dat.

#include <QDialog>

#include "plu/PluTable.h"

class QPushButton;

namespace vorn {

class PluListModel;
class TextRowView;

class CPluListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPluListDlg(QWidget* parent = nullptr);
    ~CPluListDlg() override;

    const PluTable& table() const { return table_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    void buildWidgets();
    void showRow(std::optional<std::size_t> row);
    void reloadIfPending();

    void onEdit();
    void onDelete();
    void onAdd();
    void onClearScale();
    void onSend();
    void onReceive();
    void onImportExport();
    void onRefresh();
    void onRestoreBackup();
    void onSaveExit();

    PluTable table_;
    PluListModel* model_ = nullptr;
    TextRowView* list_ = nullptr;
    // The user went to another program (the import/export program, say) since the dialog was
    // last active; coming back reloads a list that program may have changed.
    bool leftForAnotherProgram_ = false;
    // "Import/Export" has started the import/export program from this dialog.
    bool importExportStarted_ = false;
};

}  // namespace vorn
