#pragma once
// "Print Price List": which PLUs go on the printed price list (all, the rows the list shows
// now, or a group) and where it goes: to a printer through the print dialog, or to a PDF file.
// The heading names the store and the scale (the scale directory and the store directory above
// it) and today's date.

#include <QDialog>
#include <vector>

#include "plu/PluList.h"

class QLineEdit;
class QRadioButton;

namespace vorn {

class CPriceListPrintDlg : public QDialog {
    Q_OBJECT
public:
    // shown: the list indexes of the rows the list shows, in its order.
    CPriceListPrintDlg(const PluList& list, std::vector<std::size_t> shown,
                       QWidget* parent = nullptr);

    // The list indexes the choice puts on the list.
    std::vector<std::size_t> chosenRows() const;
    // Writes the price list of the choice to a PDF file; false (told) when it cannot.
    bool saveAsPdf(const QString& path);

private:
    void onPrint();
    void onSavePdf();
    std::string heading() const;

    const PluList& list_;
    std::vector<std::size_t> shown_;
    QRadioButton* all_;
    QRadioButton* found_;
    QRadioButton* group_;
    QLineEdit* groupNumber_;
};

}  // namespace vorn
