#pragma once
// A multi-line text field in a fixed-pitch font for the table editors' texts. Its text is
// single-byte text with CR LF line breaks, as the editors hold it. What the user types or
// pastes is limited to a number of characters (a line break counts two, as CR LF does) and,
// where set, to a number of lines as the box shows them, and to the characters the scale holds;
// a keystroke or paste past a limit is refused whole, the box says why and reports it by
// overflowed(). Text set by the program is taken whole.

#include <QTextEdit>

#include <string>
#include <vector>

namespace vorn {

class TextBox : public QTextEdit {
    Q_OBJECT
public:
    enum class Wrap {
        None,      // one line per line of text; scrolls sideways
        Words,     // at the last blank within the columns, or anywhere in a longer word
        Anywhere,  // after exactly the columns
    };

    explicit TextBox(QWidget* parent = nullptr);

    void setMaxLength(int characters);
    int maxLength() const { return maxLength_; }
    // The most lines the box may show (0: any number). Counted as wrapped anywhere at the
    // columns, so it suits boxes that wrap Anywhere or not at all.
    void setMaxLines(int lines);
    int maxLines() const { return maxLines_; }
    // The columns the box is wide (and wraps at, unless Wrap::None) and the lines it shows.
    void setShape(int columns, int visibleLines, Wrap wrap);
    void setCentred(bool centred);

    // The text with CR LF line breaks, byte for byte.
    std::string text() const;
    void setText(const std::string& text);
    // The lines as the box shows them after wrapping; the last line of each paragraph but the
    // last carries the CR LF that ends it.
    std::vector<std::string> displayedLines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void overflowed();
    // Enter pressed where the box takes no further line; while this signal has a receiver, such
    // an Enter is the receiver's, and the box tells nothing.
    void enterPastLastLine();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Why inserting the text (line breaks as '\n') in place of the selection is refused; empty
    // when it keeps within the limits.
    std::string refusalOf(const QString& inserted) const;
    // The text as it would be with the selection replaced by inserted.
    QString withInsertion(const QString& inserted) const;
    void applyTextOption();

    int maxLength_ = 32767;
    int maxLines_ = 0;
    int columns_ = 36;
    int visibleLines_ = 2;
    Wrap wrap_ = Wrap::Words;
    bool centred_ = false;
};

// The number of lines a text takes when wrapped anywhere at columns ('\n' between lines).
int linesWrappedAnywhere(const QString& text, int columns);

}  // namespace vorn
