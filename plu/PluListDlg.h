#pragma once
// CPluListDlg ("PLU List"): the PLU table of the selected scale while it is open. It shows the
// rows of its PluTable through a model and a view, and runs the editor, the transfers and the
// spreadsheet import/export program. Only "Save/Exit" and "Import/Export" write plurec.dat.

#include <QDialog>

#include "plu/PluTable.h"

class QPushButton;

namespace vorn {

class PluListHeader;
class PluListModel;
class TextRowView;

class CPluListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPluListDlg(QWidget* parent = nullptr);
    ~CPluListDlg() override;

    const PluTable& table() const { return table_; }
    // Escape and the close box: a list with unsaved changes asks whether to save first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    void buildWidgets();
    void showRow(std::optional<std::size_t> row);
    void reloadIfPending();
    // The list indexes of the selected rows, ascending.
    std::vector<std::size_t> selectedListRows() const;
    void onOrderChanged();

    void onEdit();
    void onDelete();
    void onAdd();
    void onChangePrices();
    void onClearScale();
    void onSend();
    void onSendSelected();
    void onSendChanged();
    void onReceive();
    void onImportExport();
    void onRefresh();
    void onPrint();
    void onRestoreBackup();
    void onSaveExit();

    PluTable table_;
    PluListModel* model_ = nullptr;
    TextRowView* list_ = nullptr;
    PluListHeader* header_ = nullptr;
    // The user went to another program (the import/export program, say) since the dialog was
    // last active; coming back reloads a list that program may have changed.
    bool leftForAnotherProgram_ = false;
    // "Import/Export" has started the import/export program from this dialog.
    bool importExportStarted_ = false;
};

}  // namespace vorn
