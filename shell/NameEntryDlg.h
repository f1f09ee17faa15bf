#pragma once
// A modal dialog with one name field under its label, "OK" and "Cancel". OK is refused, with a
// message, while the name check returns a problem.

#include <QDialog>
#include <string>

class QLineEdit;

namespace vorn {

class CNameEntryDlg : public QDialog {
    Q_OBJECT
public:
    using NameCheck = std::string (*)(const std::string& name);
    CNameEntryDlg(QWidget* parent, const QString& caption, const QString& label,
                  const std::string& name, NameCheck check);

    // The name as typed, single-byte text.
    std::string name() const;
    QLineEdit* nameField() const { return field_; }

    void accept() override;

private:
    QLineEdit* field_;
    NameCheck check_;
};

}  // namespace vorn
