#pragma once
// The base of the table editors: Escape and the close box of an editor whose data changed since
// it was shown ask whether to save (Save runs the editor's OK, Discard closes, Cancel stays); OK
// and the editor's Cancel button close without a question.

#include <QDialog>
#include <QStringList>

#include <optional>

namespace vorn {

class TableDlg : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;
    // What the question compares: by default every data control of the editor.
    virtual QStringList dataState() const;
    // "Save" of the question: the editor's OK.
    virtual void saveAndClose() = 0;
    // The Cancel button: closes without a question.
    void discard() { done(QDialog::Rejected); }

private:
    std::optional<QStringList> shownState_;  // the data as first shown
    bool closing_ = false;                   // in done(): the close it makes asks nothing
};

}  // namespace vorn
