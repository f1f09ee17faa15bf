#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "shell/NameEntryDlg.h"
#include "widgets/QtText.h"

namespace vorn {

CNameEntryDlg::CNameEntryDlg(QWidget* parent, const QString& caption, const QString& label,
                             const std::string& name, NameCheck check)
    : QDialog(parent), field_(new QLineEdit(this)), check_(check) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(label, this);
    text->setBuddy(field_);
    field_->setText(toQString(name));
    field_->setAccessibleName(label);
    field_->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    layout->addWidget(text);
    layout->addWidget(field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    field_->setFocus();
}

std::string CNameEntryDlg::name() const {
    return fromQString(field_->text());
}

void CNameEntryDlg::accept() {
    const std::string problem = check_ ? check_(name()) : std::string();
    if (!problem.empty()) {
        tell(problem, PromptIcon::Warning);
        field_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace vorn
