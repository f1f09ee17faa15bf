#include "tab/TabWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/OutsidePrograms.h"
#include "platform/Prompter.h"
#include "platform/WindowTitleBeacon.h"
#include "plu/PluFile.h"
#include "tab/ImportPreviewDlg.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"
#include "tab/PluWorkFile.h"
#include "tab/TabCommands.h"
#include "tables/Archive.h"

namespace vorn {

namespace {

// The workbook first: it is what a spreadsheet opens without guessing.
const char* const kWorkbookFilter = "Excel workbooks (*.xlsx)";
const char* const kCsvFilter = "CSV files (*.csv)";
const char* const kFilters = "Excel workbooks (*.xlsx);;CSV files (*.csv);;All files (*)";
const char* const kChangedMeanwhile =
    "plurec.dat has been written by another program since the preview was made. The preview "
    "is made again from the file as it is now.";

QString countText(std::size_t n, const char* one, const char* many) {
    return QLocale().toString(static_cast<qulonglong>(n)) + " " + (n == 1 ? one : many);
}

// A message box of this program, under its window's title.
void say(const std::string& text, PromptIcon icon, const std::string& detail = {}) {
    prompter().ask(Prompt{text, PromptButtons::Ok, icon, std::string(kImportExportTitle), detail});
}

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TabWindow::TabWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kImportExportTitle));
    buildWidgets();
    showPluFile();
    beacon_ = new WindowTitleBeacon(this, QString::fromLatin1(kImportExportTitle));
}

void TabWindow::buildWidgets() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto* file = new QGroupBox("PLU file", central);
    auto* fileGrid = new QGridLayout(file);
    directory_ = new QLabel(file);
    directory_->setObjectName("directory");
    directory_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    directory_->setTextFormat(Qt::PlainText);
    pluCount_ = new QLabel(file);
    pluCount_->setObjectName("pluCount");
    pluCount_->setTextFormat(Qt::PlainText);
    fileGrid->addWidget(new QLabel("Scale directory:", file), 0, 0);
    fileGrid->addWidget(directory_, 0, 1);
    fileGrid->addWidget(new QLabel("PLUs:", file), 1, 0);
    fileGrid->addWidget(pluCount_, 1, 1);
    fileGrid->setColumnStretch(1, 1);

    auto* exportButton = new QPushButton("&Export...", central);
    auto* importButton = new QPushButton("&Import...", central);
    auto* closeButton = new QPushButton("&Close", central);
    connect(exportButton, &QPushButton::clicked, this, &TabWindow::chooseExportFile);
    connect(importButton, &QPushButton::clicked, this, &TabWindow::chooseImportFile);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* commands = new QGridLayout;
    commands->addWidget(exportButton, 0, 0);
    commands->addWidget(
        wrappedLabel("Writes every PLU to an Excel workbook (.xlsx) or a CSV file, one row per "
                     "PLU with every field of the PLU editor. A workbook keeps texts as texts "
                     "and numbers as numbers in every spreadsheet and language.",
                     central),
        0, 1);
    commands->addWidget(importButton, 1, 0);
    commands->addWidget(
        wrappedLabel("Reads a workbook or a CSV file with a \u201CPLU No.\u201D column and any "
                     "other columns of an export, such as the prices. You see what it changes "
                     "before anything is saved.",
                     central),
        1, 1);
    commands->setColumnStretch(1, 1);
    commands->setHorizontalSpacing(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2);
    commands->setVerticalSpacing(fontMetrics().height());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(file);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(commands);
    layout->addStretch(1);
    layout->addLayout(buttons);

    statusBar()->showMessage("Ready");
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    resize(std::max(sizeHint().width(), em * 56), sizeHint().height());
}

void TabWindow::showPluFile() {
    directory_->setText(QDir::toNativeSeparators(QDir::currentPath()));
    PluWorkFile file;
    const std::string problem = file.read();
    if (!problem.empty()) {
        pluCount_->setText(QString::fromStdString(problem));
    } else if (!file.exists()) {
        pluCount_->setText("none yet (no plurec.dat in this directory)");
    } else {
        pluCount_->setText(countText(file.list().size(), "PLU", "PLUs") + " in " +
                           QString::fromLatin1(plufile::kName));
    }
}

void TabWindow::chooseExportFile() {
    QString filter = kWorkbookFilter;
    QString path = QFileDialog::getSaveFileName(
        this, "Export PLUs", QDir::current().filePath("plu.xlsx"), kFilters, &filter);
    if (path.isEmpty()) {
        return;
    }
    // A name without an extension gets the one of the chosen kind of file.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += filter == kCsvFilter ? ".csv" : ".xlsx";
    }
    exportTo(path);
}

void TabWindow::chooseImportFile() {
    QString filter = kWorkbookFilter;
    const QString path =
        QFileDialog::getOpenFileName(this, "Import PLUs", QDir::currentPath(), kFilters, &filter);
    if (!path.isEmpty()) {
        importFrom(path);
    }
}

void TabWindow::exportTo(const QString& path) {
    PluWorkFile file;
    if (const std::string problem = file.read(); !problem.empty()) {
        say("Nothing was exported.", PromptIcon::Error, problem);
        return;
    }
    const ExportResult exported = exportToFile(file.list(), path.toStdString());
    if (!exported.problem.empty()) {
        say("Nothing was exported.", PromptIcon::Error, exported.problem);
        return;
    }
    const QString done = countText(exported.exported, "PLU", "PLUs") + " exported to " +
                         QDir::toNativeSeparators(path) + ".";
    statusBar()->showMessage(done);
    if (exported.damaged > 0) {
        say(done.toStdString(), PromptIcon::Warning,
            countText(exported.damaged, "damaged PLU record was", "damaged PLU records were")
                    .toStdString() +
                " left out: their lines in plurec.dat have the wrong length. Open them in the "
                "PLU list to delete them.");
    }
    showPluFile();
}

void TabWindow::importFrom(const QString& path) {
    const CsvFileBytes csv = readCsvFile(path.toStdString());
    if (!csv.bytes) {
        say("Nothing was imported.", PromptIcon::Error, csv.problem);
        return;
    }
    const QString name = QFileInfo(path).fileName();
    for (;;) {
        PluWorkFile file;
        if (const std::string problem = file.read(); !problem.empty()) {
            say("Nothing was imported.", PromptIcon::Error, problem);
            return;
        }
        ImportPlan plan = planFileImport(file.list(), *csv.bytes);
        if (!plan.usable()) {
            say("Nothing was imported: " + name.toStdString() + " cannot be read as a PLU list.",
                PromptIcon::Error, "The reason: " + plan.unusable + ".");
            return;
        }
        ImportPreviewDlg preview(plan, name, this);
        if (preview.exec() != QDialog::Accepted) {
            statusBar()->showMessage("Import cancelled: nothing was saved.");
            return;
        }
        if (file.changedOnDisk()) {
            say(kChangedMeanwhile, PromptIcon::Information);
            continue;
        }
        applyImportPlan(plan, file.list());
        if (const FileProblem problem = file.save(); !problem.empty()) {
            say("Nothing was imported.", PromptIcon::Error, latin1ToUtf8(problem));
            return;
        }
        QString done = "Imported from " + name + ": " + countText(plan.added, "PLU", "PLUs") +
                       " added, " + QLocale().toString(static_cast<qulonglong>(plan.changed)) +
                       " changed";
        if (!plan.rejected.empty()) {
            done += ", " + countText(plan.rejected.size(), "row", "rows") + " left out";
        }
        statusBar()->showMessage(done + "; plurec.dat saved.");
        showPluFile();
        return;
    }
}

}  // namespace vorn
