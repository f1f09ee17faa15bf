#include "plu/PriceListPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "widgets/QtText.h"

namespace vorn {

namespace {

// Where each column starts, in hundredths of the page's width; the price ends at its column's
// end, the others start there.
constexpr int kColumnStart[] = {0, 12, 62, 77, 89};
constexpr int kColumnEnd[] = {10, 60, 74, 87, 100};
constexpr int kPriceColumn = 2;

// The lines a row takes.
int linesOf(const PriceListRow& row) {
    return row.description2.empty() ? 1 : 2;
}

}  // namespace

bool paintPriceList(QPrinter& printer, const std::string& heading,
                    const std::vector<PriceListRow>& rows) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font("DejaVu Sans", 9);
    painter.setFont(font);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = page.width();
    const int line = QFontMetrics(font, &printer).lineSpacing();
    // Heading, captions and a rule above; page number below.
    const int top = 3 * line;
    const int bottom = page.height() - 2 * line;
    const int linesPerPage = std::max(1, (bottom - top) / line);

    // Pages first, so that each page can say how many there are.
    std::vector<std::size_t> pageStarts{0};
    int used = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (used + linesOf(rows[i]) > linesPerPage && used > 0) {
            pageStarts.push_back(i);
            used = 0;
        }
        used += linesOf(rows[i]);
    }
    const int pages = static_cast<int>(pageStarts.size());

    const auto cell = [&](int column, int y, const QString& text) {
        const int x0 = width * kColumnStart[column] / 100;
        const int x1 = width * kColumnEnd[column] / 100;
        const QRect r(x0, y, x1 - x0, line);
        painter.drawText(
            r, Qt::AlignVCenter | (column == kPriceColumn ? Qt::AlignRight : Qt::AlignLeft), text);
    };
    for (int p = 0; p < pages; ++p) {
        if (p > 0) {
            printer.newPage();
        }
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(0, 0, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         toQString(heading));
        for (int c = 0; c < static_cast<int>(std::size(pricelist::kColumnCaptions)); ++c) {
            cell(c, 2 * line, QString::fromLatin1(pricelist::kColumnCaptions[c]));
        }
        painter.setFont(font);
        painter.drawLine(0, top - 1, width, top - 1);
        int y = top;
        const std::size_t end =
            p + 1 < pages ? pageStarts[static_cast<std::size_t>(p) + 1] : rows.size();
        for (std::size_t i = pageStarts[static_cast<std::size_t>(p)]; i < end; ++i) {
            const PriceListRow& row = rows[i];
            cell(0, y, toQString(row.number));
            cell(1, y, toQString(row.description1));
            cell(2, y, toQString(row.price));
            cell(3, y, toQString(row.unit));
            cell(4, y, toQString(row.group));
            if (!row.description2.empty()) {
                cell(1, y + line, toQString(row.description2));
            }
            y += linesOf(row) * line;
        }
        painter.drawText(QRect(0, page.height() - line, width, line), Qt::AlignCenter,
                         toQString(pageNumberText(p + 1, pages)));
    }
    return painter.end();
}

}  // namespace vorn
