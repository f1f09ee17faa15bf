#pragma once
// The default label of one kind (by weight, total, by count): the 60-character record (table
// code 43) held whole, so that positions the dialog does not edit travel unchanged between the
// scale and the file; the fields the dialog edits; their checks; the kind's one-line file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/TableReferences.h"

namespace vorn {

namespace defaultlabel {
// Default-label record, 60 characters:
//   0-15 envelope (position 0 '0' and operation "0000" on every save or send)
//   16 kind digit      17-18 label number     19-22 alignment      23-24 TLU1 font
//   25-26 TLU2 font    27-30 not edited       31-32 extra text font size
//   33-34 store address "00"/"01"             35-36 advertising text number
//   37-39 extra text number                   40-41, 42-43, 44-45 packing, best-before and
//   sell-by date text numbers                 46-49 date print formats, hexadecimal
//   50-53 not edited   54-56 best-before days 57-59 sell-by days
inline constexpr std::size_t kLength = 60;
inline constexpr std::string_view kTemplate =
    "000243000000010100000000000000000000000000000000000000000000";
inline constexpr std::size_t kKindPos = 16;
inline constexpr std::size_t kAlignmentPos = 19;
inline constexpr std::size_t kStoreAddressPos = 33;
inline constexpr std::size_t kFormatsPos = 46;
// Date print format codes, in the order of the format lists.
inline constexpr const char* kFormatNames[] = {"Not print date", "MM/DD/YYYY", "DD/MM/YYYY",
                                               "days"};
inline constexpr int kPackingFormats = 3;  // the packing date's list has no "days"
inline constexpr int kDateFormats = 4;

inline constexpr const char* kRequestHead = "0002430002000000";
inline constexpr const char* kTransferMessage =
    "Transfering Default Label information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
inline constexpr const char* kNoAnswerMessage = "error open file";
inline constexpr const char* kBadAnswerMessage = "error:";
inline constexpr const char* kOtherKindMessage = "error,the label def.-no dismatch";
// The first line of a file or of trf.in is read up to this many characters.
inline constexpr std::size_t kLineLimit = 99;
}  // namespace defaultlabel

// One kind of default label, as the menu entry that opens the dialog names it.
struct DefaultLabelKind {
    const char* name;
    char letter;
};
namespace labelkind {
inline constexpr DefaultLabelKind kByWeight{"By Weight Label", 's'};
inline constexpr DefaultLabelKind kTotal{"Total Label", 't'};
inline constexpr DefaultLabelKind kByCount{"By Count Label", 'p'};
}  // namespace labelkind

// '1' for the letter s, '2' for t, '3' for any other letter.
char kindDigit(char letter);
// "gnllabs.dat" with the kind letter as its seventh character.
std::string kindFileName(char letter);

// The text fields of the dialog (digits only).
enum class LabelField {
    LabelNumber,
    Tlu1Font,
    Tlu2Font,
    FontSize,
    AdvertisingText,
    ExtraText,
    PackingDateText,
    BestBeforeDateText,
    SellByDateText,
    BestBeforeDays,
    SellByDays,
};
inline constexpr int kLabelFieldCount = 11;

struct DefaultLabelFields {
    std::string texts[kLabelFieldCount];
    int alignment = 0;  // 0 "Left", 1 "Center", 2 "Auto"; -1: none (an unknown code is kept)
    bool storeAddress = false;
    // Date print format codes as the record holds them (0 to 7); the lists show codes they do
    // not have as their first entry, and the code is kept until the user picks an entry.
    int packingFormat = 0;
    int bestBeforeFormat = 0;
    int sellByFormat = 0;

    std::string& text(LabelField f) { return texts[static_cast<int>(f)]; }
    const std::string& text(LabelField f) const { return texts[static_cast<int>(f)]; }
    bool operator==(const DefaultLabelFields&) const = default;
};

// The list entry that shows a format code in a list of `entries` entries.
int formatEntry(int code, int entries);

// The fields shown for a 60-character record.
DefaultLabelFields fieldsOfRecord(std::string_view record);

// A failed check: the field and its message.
struct LabelFieldProblem {
    LabelField field;
    const char* message;
};
// The checks in their order; the first that fails, or none.
std::optional<LabelFieldProblem> checkFields(const DefaultLabelFields& fields);

// The texts that the fields name, as the kind's name ("By Weight Label"): the advertising text,
// the extra text and the three date texts.
std::vector<TableReference> defaultLabelReferences(const DefaultLabelFields& fields,
                                                   const char* kindName);

// The record: the buffer with the edited fields, '0' at position 0, "0000" at 6 to 9 and the
// kind digit at 16 written in. The fields must have passed checkFields.
std::string recordWithFields(std::string buffer, const DefaultLabelFields& fields, char digit);

class DefaultLabel {
public:
    explicit DefaultLabel(const DefaultLabelKind& kind) : kind_(kind) {}

    const DefaultLabelKind& kind() const { return kind_; }
    const std::string& buffer() const { return buffer_; }
    DefaultLabelFields& fields() { return fields_; }
    const DefaultLabelFields& fields() const { return fields_; }

    // Open: the template, then the kind's file when its first line is a 60-character record.
    void open();
    // The checks; a failure is told, its field emptied, and the field returned.
    std::optional<LabelField> check();
    // OK: checks, then writes the record to the kind's file; false when the dialog stays open.
    bool save();
    // The texts that the fields name and the text tables (as they were when the dialog opened)
    // do not have, in words.
    std::vector<std::string> referenceProblems() const;
    const KnownNumbers& knownNumbers() const { return known_; }
    // PC->Sc: checks, asks when a field names a text that does not exist, then sends the record.
    void send();
    // Sc->PC: requests the kind's record and shows it; the file is not written.
    void request();

private:
    // Takes a 60-character line into the buffer and the fields; any other line changes nothing.
    void load(const std::string& line);
    std::string builtRecord();

    const DefaultLabelKind& kind_;
    std::string buffer_ = std::string(defaultlabel::kTemplate);
    DefaultLabelFields fields_;
    KnownNumbers known_;
};

}  // namespace vorn
