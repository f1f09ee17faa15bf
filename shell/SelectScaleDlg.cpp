#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "platform/Translatable.h"
#include "shell/ScaleDirectory.h"
#include "shell/ScaleNameDlg.h"
#include "shell/SelectScaleDlg.h"
#include "shell/StoreNameDlg.h"
#include "tables/TextPieces.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {
QPushButton* addButton(QWidget* parent, QBoxLayout* layout, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    layout->addWidget(button);
    return button;
}

void tellProblem(const FileProblem& problem) {
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
    }
}

void fillList(QListWidget* list, const std::vector<std::string>& rows, int selected) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& row : rows) {
        list->addItem(toQString(row));
    }
    list->setCurrentRow(selected);
}

// A click on the blank part of a list, or Ctrl with a click on its row, would clear the
// selection while the dialog still counts the row as selected: the current row stays selected,
// as in a list that always holds one selected row once one is chosen.
void keepCurrentRowSelected(QListWidget* list) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list] {
        if (list->selectedItems().isEmpty() && list->currentItem()) {
            list->currentItem()->setSelected(true);
        }
    });
}
}  // namespace

CSelectScaleDlg::CSelectScaleDlg(QWidget* parent)
    : QDialog(parent), storeList_(new QListWidget(this)), scaleList_(new QListWidget(this)) {
    setWindowTitle("Select Scale");
    if (parent) {
        previousTitle_ = parent->window()->windowTitle();
    }

    auto* grid = new QGridLayout(this);
    auto* storeLabel = new QLabel("Store Name", this);
    auto* scaleLabel = new QLabel("Scale Name", this);
    storeLabel->setBuddy(storeList_);
    scaleLabel->setBuddy(scaleList_);
    storeList_->setAccessibleName("Store Name");
    scaleList_->setAccessibleName("Scale Name");
    storeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    scaleList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Entries carry the 50-character padded name and the scale slots; a fixed-pitch font keeps
    // the rows readable, and both lists take it so that their rows line up.
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    storeList_->setFont(fixed);
    scaleList_->setFont(fixed);
    keepCurrentRowSelected(storeList_);
    keepCurrentRowSelected(scaleList_);
    storeList_->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    scaleList_->setMinimumWidth(fontMetrics().averageCharWidth() * 20);
    grid->addWidget(storeLabel, 0, 0);
    grid->addWidget(scaleLabel, 0, 1);
    grid->addWidget(storeList_, 1, 0);
    grid->addWidget(scaleList_, 1, 1);

    auto* storeButtons = new QHBoxLayout;
    auto* addStoreButton = addButton(this, storeButtons, "ADD Store");
    auto* delStoreButton = addButton(this, storeButtons, "DEL Store");
    auto* editStoreButton = addButton(this, storeButtons, "EDIT Store");
    grid->addLayout(storeButtons, 2, 0);
    auto* scaleButtons = new QHBoxLayout;
    auto* addScaleButton = addButton(this, scaleButtons, "ADD Scale");
    auto* delScaleButton = addButton(this, scaleButtons, "DEL Scale");
    auto* editScaleButton = addButton(this, scaleButtons, "EDIT Scale");
    grid->addLayout(scaleButtons, 2, 1);

    auto* side = new QVBoxLayout;
    auto* okButton = addButton(this, side, "OK");
    okButton->setDefault(true);
    auto* cancelButton = addButton(this, side, "Cancel");
    cancelButton->hide();
    auto* exitButton = addButton(this, side, "Exit");
    side->addStretch();
    grid->addLayout(side, 0, 2, 3, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    connect(addStoreButton, &QPushButton::clicked, this, &CSelectScaleDlg::addStore);
    connect(delStoreButton, &QPushButton::clicked, this, &CSelectScaleDlg::deleteStore);
    connect(editStoreButton, &QPushButton::clicked, this, &CSelectScaleDlg::editStore);
    connect(addScaleButton, &QPushButton::clicked, this, &CSelectScaleDlg::addScale);
    connect(delScaleButton, &QPushButton::clicked, this, &CSelectScaleDlg::deleteScale);
    connect(editScaleButton, &QPushButton::clicked, this, &CSelectScaleDlg::editScale);
    connect(okButton, &QPushButton::clicked, this, &CSelectScaleDlg::choose);
    connect(cancelButton, &QPushButton::clicked, this, &CSelectScaleDlg::reject);
    connect(exitButton, &QPushButton::clicked, this, &CSelectScaleDlg::reject);
    connect(storeList_, &QListWidget::currentRowChanged, this,
            &CSelectScaleDlg::storeSelectionChanged);
    connect(scaleList_, &QListWidget::currentRowChanged, this,
            &CSelectScaleDlg::scaleSelectionChanged);

    const BaseDirectory base = enterBaseDirectory();
    basePath_ = base.path;
    if (!base.problem.empty()) {
        tell(base.problem, PromptIcon::Warning);
    }
    const StoreEntries stored = readStoreFile();
    if (!stored.problem.empty()) {
        tell(stored.problem, PromptIcon::Warning);
    }
    lists_.load(stored.entries);
    refreshLists();
    resize(sizeHint().width() * 5 / 4, sizeHint().height());
}

void CSelectScaleDlg::refreshLists() {
    fillList(storeList_, lists_.stores(), lists_.selectedStore());
    fillList(scaleList_, lists_.scales(), lists_.selectedScale());
}

void CSelectScaleDlg::storeSelectionChanged() {
    lists_.selectStore(storeList_->currentRow());
    fillList(scaleList_, lists_.scales(), lists_.selectedScale());
}

void CSelectScaleDlg::scaleSelectionChanged() {
    lists_.selectScale(scaleList_->currentRow());
}

void CSelectScaleDlg::setMainTitle(const QString& title) {
    if (parentWidget()) {
        parentWidget()->window()->setWindowTitle(title);
    }
}

void CSelectScaleDlg::addStore() {
    CStoreNameDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (lists_.addStore(dialog.name()) == AddOutcome::Duplicate) {
        tell(kSameNameText);
    }
    refreshLists();
}

void CSelectScaleDlg::addScale() {
    if (lists_.selectedStore() < 0) {
        return;
    }
    CScaleNameDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (lists_.addScale(dialog.name()) == AddOutcome::Duplicate) {
        tell(kSameNameText);
    }
    refreshLists();
}

void CSelectScaleDlg::deleteStore() {
    if (!confirmIrreversible(kDeleteStoreText)) {
        return;
    }
    lists_.deleteStore();
    refreshLists();
    setMainTitle(QString::fromUtf8(kNoStoreTitle));
}

void CSelectScaleDlg::deleteScale() {
    if (!confirmIrreversible(kDeleteScaleText)) {
        return;
    }
    lists_.deleteScale();
    refreshLists();
    setMainTitle(QCoreApplication::translate(kTranslationContext, kScaleDeletedTitle));
}

void CSelectScaleDlg::editStore() {
    if (lists_.selectedStore() < 0) {
        return;
    }
    const std::string oldName = lists_.selectedStoreName();
    CStoreNameDlg dialog(this, oldName);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::string newName = rightTrimmed(dialog.name());
    if (newName.empty() || newName == oldName) {
        return;
    }
    const RenameResult renamed =
        lists_.storeNameTaken(newName) ? RenameResult::Taken : renameDirectory(oldName, newName);
    if (renamed == RenameResult::Taken) {
        tell(kSameNameText);
        return;
    }
    if (renamed == RenameResult::Renamed) {
        tellProblem(storeRenamedStore(oldName, newName));
    }
    lists_.renameSelectedStore(newName);
    refreshLists();
}

void CSelectScaleDlg::editScale() {
    if (lists_.selectedScale() < 0) {
        return;
    }
    const std::string store = lists_.selectedStoreName();
    const std::string oldName = lists_.selectedScaleName();
    CScaleNameDlg dialog(this, oldName);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::string newName = scaleNameFromTyped(dialog.name());
    if (newName.empty() || newName == oldName) {
        return;
    }
    const RenameResult renamed =
        lists_.scaleNameTaken(newName)
            ? RenameResult::Taken
            : renameDirectory(store + "/" + oldName, store + "/" + newName);
    if (renamed == RenameResult::Taken) {
        tell(kSameNameText);
        return;
    }
    if (renamed == RenameResult::Renamed) {
        tellProblem(storeRenamedScale(store, oldName, newName));
    }
    lists_.renameSelectedScale(newName);
    refreshLists();
}

void CSelectScaleDlg::choose() {
    const OkDecision decision = decideOk(lists_);
    noScale_ = decision.noScale ? 1 : 0;
    tellProblem(writeStoreFile(decision.entries));
    if (decision.outcome == OkDecision::Outcome::NoStores) {
        setMainTitle(toQString(decision.title));
        previousDirectory_.restore();
        scaleChosen_ = false;
        QDialog::accept();
        return;
    }
    makeStoreDirectory(basePath_, decision.storeName);
    if (decision.outcome == OkDecision::Outcome::NoScaleInStore) {
        tell(kNoScaleText);
        return;
    }
    setMainTitle(toQString(decision.title));
    switch (enterScaleDirectory(basePath_, decision.storeName, decision.scaleName)) {
        case EnterScaleResult::Entered:
            scaleChosen_ = true;
            break;
        case EnterScaleResult::CannotEnter:
            tell(kCannotEnterText, PromptIcon::Error);
            goBack();
            break;
        case EnterScaleResult::CannotCreate:
            tell(kCannotCreateText, PromptIcon::Error);
            goBack();
            break;
    }
    QDialog::accept();
}

void CSelectScaleDlg::goBack() {
    previousDirectory_.restore();
    setMainTitle(previousTitle_);
    scaleChosen_ = false;
}

void CSelectScaleDlg::reject() {
    goBack();
    QDialog::reject();
}

}  // namespace vorn
