#pragma once
// The preview of an import: how the file was read, how many PLUs it adds, changes and leaves
// unchanged, every rejected row with its line and reason, and every change. "Import" saves the
// added and changed PLUs (the rejected rows are left out); "Cancel" saves nothing.

#include <QDialog>

#include "tab/PluImport.h"

class QTableView;
class QTabWidget;

namespace vorn {

class ImportPreviewDlg : public QDialog {
    Q_OBJECT
public:
    // The plan must outlive the dialog.
    ImportPreviewDlg(const ImportPlan& plan, const QString& fileName, QWidget* parent = nullptr);

private:
    QTableView* table(const char* name, const QString& accessibleName);
};

}  // namespace vorn
