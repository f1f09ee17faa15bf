#include "editors/code/PresetKeyDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "widgets/QtText.h"

namespace vorn {

namespace {

constexpr int kColumns = 4;
constexpr const char* kOptionCaptions[] = {"Change Key", "Cancel Key", "# Key",
                                           "- Key",      "+ Key",      "X Key"};

bool* optionFlag(KeyOptions& o, std::size_t i) {
    bool* flags[] = {&o.changeKey, &o.cancelKey, &o.hashKey, &o.minusKey, &o.plusKey, &o.xKey};
    return flags[i];
}

}  // namespace

CPresetKeyDlg::CPresetKeyDlg(QWidget* parent) : TableDlg(parent) {
    setWindowTitle("Configure Presets");
    buildWidgets();
    editor_.open();
    showPluEntry(false);
    writeControls();
}

void CPresetKeyDlg::buildWidgets() {
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    const int keyWidth = fontMetrics().horizontalAdvance("P0000000") + 16;
    for (int b = 0; b < presetkey::kKeysPerLayer; ++b) {
        auto* key = new QPushButton(this);
        key->setObjectName(QString("key%1").arg(b + 1));
        key->setCheckable(true);  // the key that "Add" assigns shows pressed
        key->setMinimumSize(keyWidth, key->sizeHint().height() * 3 / 2);
        // A click and the accessibility "Toggle" action both toggle the key: either chooses it.
        connect(key, &QPushButton::toggled, this, [this, b] { onKey(b); });
        grid->addWidget(key, b / kColumns, b % kColumns);
        keyButtons_[static_cast<std::size_t>(b)] = key;
    }

    layer_ = new QPushButton(this);
    layer_->setObjectName("layer");
    connect(layer_, &QPushButton::clicked, this, &CPresetKeyDlg::onLayer);

    auto* operatorLabel = new QLabel("Operator Keys", this);
    operatorKeys_ = new QSpinBox(this);
    operatorKeys_->setObjectName("operatorKeys");
    operatorKeys_->setRange(presetkey::kMinOperatorKeys, presetkey::kMaxOperatorKeys);
    operatorKeys_->setAccessibleName(operatorLabel->text());
    operatorKeys_->setMinimumWidth(fontMetrics().horizontalAdvance("00") + 40);
    // The number changes only through the arrows.
    if (auto* edit = operatorKeys_->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
    }
    operatorLabel->setBuddy(operatorKeys_);
    connect(operatorKeys_, &QSpinBox::valueChanged, this, &CPresetKeyDlg::onOperatorKeys);

    discount_ = new QCheckBox("Discount", this);
    connect(discount_, &QCheckBox::toggled, this, &CPresetKeyDlg::onDiscount);
    discountLabel_ = new QLabel("DiscountNo.:", this);
    discountNumber_ = new QLineEdit(this);
    discountNumber_->setObjectName("discountNumber");
    discountNumber_->setAccessibleName(discountLabel_->text());
    // One character typed; a longer number from the scale is shown whole.
    discountNumber_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(".?"), discountNumber_));
    discountNumber_->setFixedWidth(fontMetrics().horizontalAdvance("000") + 12);
    discountLabel_->setBuddy(discountNumber_);

    pluLabel_ = new QLabel("PLU No.:", this);
    pluEntry_ = new QLineEdit(this);
    pluEntry_->setObjectName("plu");
    pluEntry_->setAccessibleName(pluLabel_->text());
    pluEntry_->setMaxLength(6);
    pluEntry_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), pluEntry_));
    pluEntry_->setFixedWidth(fontMetrics().horizontalAdvance("0000000") + 12);
    pluEntry_->installEventFilter(this);
    pluLabel_->setBuddy(pluEntry_);
    add_ = new QPushButton("Add", this);
    connect(add_, &QPushButton::clicked, this, &CPresetKeyDlg::onAdd);

    auto* optionsBox = new QWidget(this);
    auto* optionsLayout = new QVBoxLayout(optionsBox);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i] = new QCheckBox(kOptionCaptions[i], optionsBox);
        optionsLayout->addWidget(options_[i]);
    }
    optionsBox->hide();

    auto button = [this](const char* text, void (CPresetKeyDlg::*slot)()) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton* ok = button("OK", &CPresetKeyDlg::onOk);
    ok->setDefault(true);

    auto* operatorRow = new QHBoxLayout;
    operatorRow->addWidget(operatorLabel);
    operatorRow->addWidget(operatorKeys_);
    operatorRow->addStretch(1);

    auto* discountRow = new QHBoxLayout;
    discountRow->addWidget(discount_);
    discountRow->addSpacing(12);
    discountRow->addWidget(discountLabel_);
    discountRow->addWidget(discountNumber_);
    discountRow->addStretch(1);

    auto* pluRow = new QHBoxLayout;
    pluRow->addWidget(pluLabel_);
    pluRow->addWidget(pluEntry_);
    pluRow->addWidget(add_);
    pluRow->addStretch(1);

    auto* transfers = new QHBoxLayout;
    transfers->addWidget(button("PC->Sc", &CPresetKeyDlg::onSend));
    transfers->addWidget(button("Sc->PC", &CPresetKeyDlg::onReceive));
    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addWidget(button("Cancel", &CPresetKeyDlg::discard));

    auto* side = new QVBoxLayout;
    side->addWidget(layer_);
    side->addSpacing(8);
    side->addLayout(operatorRow);
    side->addLayout(discountRow);
    side->addSpacing(8);
    side->addLayout(pluRow);
    side->addWidget(optionsBox);
    side->addStretch(1);
    side->addLayout(transfers);
    side->addLayout(closing);

    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addSpacing(8);
    top->addLayout(side);

    // The keys whose PLU the PLU file does not have, under the whole dialog.
    references_ = new QLabel(this);
    references_->setObjectName("references");
    references_->setWordWrap(true);
    references_->setStyleSheet("color: #b00000");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(references_);
}

void CPresetKeyDlg::readControls() {
    PresetKeys& keys = editor_.keys();
    keys.discount = discount_->isChecked();
    keys.discountNumber = fromQString(discountNumber_->text());
    for (std::size_t i = 0; i < options_.size(); ++i) {
        *optionFlag(keys.options, i) = options_[i]->isChecked();
    }
}

void CPresetKeyDlg::writeControls() {
    PresetKeys& keys = editor_.keys();
    const auto faces = editor_.faces();
    for (std::size_t b = 0; b < faces.size(); ++b) {
        keyButtons_[b]->setText(toQString(faces[b].caption));
        keyButtons_[b]->setEnabled(faces[b].enabled);
        const QSignalBlocker quiet(keyButtons_[b]);
        keyButtons_[b]->setChecked(editor_.currentKey() ==
                                   editor_.keyOfButton(static_cast<int>(b)));
    }
    layer_->setText(editor_.layerCaption());
    {
        const QSignalBlocker quiet(operatorKeys_);
        // A scale may report five operator keys; the arrows choose 1 to 4.
        operatorKeys_->setMaximum(std::max(presetkey::kMaxOperatorKeys, keys.operatorKeys));
        operatorKeys_->setValue(keys.operatorKeys);
    }
    {
        const QSignalBlocker quiet(discount_);
        discount_->setChecked(keys.discount);
    }
    discountNumber_->setText(toQString(keys.discountNumber));
    discountLabel_->setVisible(keys.discount);
    discountNumber_->setVisible(keys.discount);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i]->setChecked(*optionFlag(keys.options, i));
    }
    const std::vector<std::string> problems = editor_.referenceProblems();
    QStringList lines;
    for (const std::string& problem : problems) {
        lines << toQString(problem);
    }
    references_->setText(lines.join('\n'));
    references_->setVisible(!problems.empty());
}

void CPresetKeyDlg::showPluEntry(bool shown) {
    pluLabel_->setVisible(shown);
    pluEntry_->setVisible(shown);
    add_->setVisible(shown);
}

void CPresetKeyDlg::onKey(int button) {
    editor_.clickKey(button);
    for (int b = 0; b < presetkey::kKeysPerLayer; ++b) {
        QPushButton* key = keyButtons_[static_cast<std::size_t>(b)];
        const QSignalBlocker quiet(key);
        key->setChecked(editor_.currentKey() == editor_.keyOfButton(b));
    }
    showPluEntry(true);
    pluEntry_->setFocus();
}

void CPresetKeyDlg::onAdd() {
    readControls();
    editor_.add(fromQString(pluEntry_->text()));
    showPluEntry(false);
    pluEntry_->clear();
    writeControls();
}

void CPresetKeyDlg::onLayer() {
    readControls();
    editor_.toggleLayer();
    writeControls();
}

void CPresetKeyDlg::onOperatorKeys(int n) {
    readControls();
    editor_.setOperatorKeys(n);
    writeControls();
}

void CPresetKeyDlg::onDiscount() {
    readControls();
    editor_.setDiscount(discount_->isChecked());
    writeControls();
}

bool CPresetKeyDlg::checkDiscountNumber() {
    if (editor_.checkDiscountNumber()) {
        return true;
    }
    discountNumber_->setFocus();
    discountNumber_->selectAll();
    return false;
}

void CPresetKeyDlg::onOk() {
    readControls();
    if (checkDiscountNumber() && editor_.save()) {
        accept();
    }
}

void CPresetKeyDlg::onSend() {
    readControls();
    if (checkDiscountNumber()) {
        editor_.send();
    }
}

void CPresetKeyDlg::onReceive() {
    readControls();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    editor_.receive();
    QApplication::restoreOverrideCursor();
    writeControls();
}

bool CPresetKeyDlg::eventFilter(QObject* watched, QEvent* e) {
    // Enter in the PLU entry is "Add".
    if (watched == pluEntry_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            onAdd();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace vorn
