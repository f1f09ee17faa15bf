#pragma once
// vorntab's main window, "EXCEL <-> PLU ( USA Version 1.0 )": it works on plurec.dat of the
// current directory (the scale directory the PLU list starts it in). "Export..." writes every
// PLU to a workbook (.xlsx, the file dialog's first choice) or a CSV file; "Import..." reads
// either, shows the preview of what it would change and saves plurec.dat only when the user
// confirms. The PLU list finds the window by its
// title and asks it to close before it starts the program again.

#include <QMainWindow>

class QLabel;

namespace vorn {

class WindowTitleBeacon;

class TabWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TabWindow(QWidget* parent = nullptr);

    // The two commands with their file already chosen (the buttons ask for it first).
    void exportTo(const QString& path);
    void importFrom(const QString& path);

private:
    void buildWidgets();
    void showPluFile();
    void chooseExportFile();
    void chooseImportFile();

    QLabel* directory_ = nullptr;
    QLabel* pluCount_ = nullptr;
    WindowTitleBeacon* beacon_ = nullptr;
};

}  // namespace vorn
