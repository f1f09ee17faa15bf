#pragma once
// CHeaderBottomDlg: the label header and bottom texts, each with "Centralize" and "Font:".

#include "editors/kit/SingleRecordDlg.h"
#include "editors/text/HeaderBottom.h"

class QCheckBox;
class QLineEdit;

namespace vorn {

class TextBox;

class CHeaderBottomDlg : public SingleRecordDlg {
    Q_OBJECT
public:
    explicit CHeaderBottomDlg(QWidget* parent = nullptr);

    const HeaderBottom& record() const { return texts_; }

protected:
    void readFields() override;
    void writeFields() override;
    bool save() override;
    void send() override;
    void receive() override { texts_.receive(); }

private:
    // The fields of one side.
    struct SideFields {
        TextBox* text = nullptr;
        QCheckBox* centred = nullptr;
        QLineEdit* font = nullptr;
    };
    SideFields buildSide(const char* caption, const char* name);
    void focusRefused(HeaderBottom::Field refused);

    HeaderBottom texts_;
    SideFields header_;
    SideFields bottom_;
};

}  // namespace vorn
