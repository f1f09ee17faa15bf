#include "editors/setup/DefaultLabel.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "comm/TransferFiles.h"
#include "editors/kit/AnswerFit.h"
#include "platform/Prompter.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

using namespace defaultlabel;

// Where each text field lies in the record.
struct FieldSlot {
    LabelField field;
    std::size_t pos;
    std::size_t width;
};
constexpr FieldSlot kSlots[] = {
    {LabelField::LabelNumber, 17, 2},     {LabelField::Tlu1Font, 23, 2},
    {LabelField::Tlu2Font, 25, 2},        {LabelField::FontSize, 31, 2},
    {LabelField::AdvertisingText, 35, 2}, {LabelField::ExtraText, 37, 3},
    {LabelField::PackingDateText, 40, 2}, {LabelField::BestBeforeDateText, 42, 2},
    {LabelField::SellByDateText, 44, 2},  {LabelField::BestBeforeDays, 54, 3},
    {LabelField::SellByDays, 57, 3},
};

// The checks, in the order they run: a field fails above its highest value.
struct FieldCheck {
    LabelField field;
    int highest;
    const char* message;
};
constexpr FieldCheck kChecks[] = {
    {LabelField::BestBeforeDays, 499, " days range 0 ~ 499!"},
    {LabelField::SellByDays, 499, " days range 0 ~ 499!"},
    {LabelField::LabelNumber, 15, "Label No. range 0 ~15!"},
    {LabelField::PackingDateText, 3, " Date Text No. range 0 ~ 3!"},
    {LabelField::SellByDateText, 3, " Date Text No. range 0 ~ 3!"},
    {LabelField::BestBeforeDateText, 3, " Date Text No. range 0 ~ 3!"},
    {LabelField::AdvertisingText, 10, " Advertising Text No. range 0 ~ 10!"},
    {LabelField::ExtraText, 150, " Extra Text No. range 0 ~ 150!"},
    {LabelField::FontSize, 20, " Font range 0 ~ 20!"},
    {LabelField::Tlu1Font, 20, " Font range 0 ~ 20!"},
    {LabelField::Tlu2Font, 20, " Font range 0 ~ 20!"},
};

constexpr int kAlignments = 3;

// A record field as shown: from its first character that is one of "123456789." on; a field
// of zeros only is shown empty.
std::string shownText(std::string_view digits) {
    const std::size_t first = digits.find_first_of("123456789.");
    return first == std::string_view::npos ? std::string() : std::string(digits.substr(first));
}

}  // namespace

char kindDigit(char letter) {
    return letter == 's' ? '1' : letter == 't' ? '2' : '3';
}

std::string kindFileName(char letter) {
    std::string name = "gnllabs.dat";
    name[6] = letter;
    return name;
}

int formatEntry(int code, int entries) {
    return code >= 0 && code < entries ? code : 0;
}

DefaultLabelFields fieldsOfRecord(std::string_view record) {
    DefaultLabelFields f;
    for (const FieldSlot& slot : kSlots) {
        f.text(slot.field) = shownText(field(record, slot.pos, slot.width));
    }
    const int alignment = intValue(field(record, kAlignmentPos, 4));
    f.alignment = alignment >= 0 && alignment < kAlignments ? alignment : -1;
    f.storeAddress = intValue(field(record, kStoreAddressPos, 2)) != 0;
    const unsigned formats = hexValue(field(record, kFormatsPos, 4));
    f.packingFormat = static_cast<int>(formats & 7u);
    f.bestBeforeFormat = static_cast<int>((formats >> 3) & 7u);
    f.sellByFormat = static_cast<int>((formats >> 6) & 7u);
    return f;
}

std::optional<LabelFieldProblem> checkFields(const DefaultLabelFields& fields) {
    for (const FieldCheck& c : kChecks) {
        if (intValue(fields.text(c.field)) > c.highest) {
            return LabelFieldProblem{c.field, c.message};
        }
    }
    return std::nullopt;
}

std::string recordWithFields(std::string buffer, const DefaultLabelFields& f, char digit) {
    buffer.resize(kLength, '0');
    buffer[0] = '0';
    buffer.replace(envelope::kOperation, 4, envelope::kStore);
    buffer[kKindPos] = digit;
    // The checked value, zero-filled to the field's width: leading zeros typed beyond the width
    // do not push the digits out.
    for (const FieldSlot& slot : kSlots) {
        const int value = intValue(f.text(slot.field));
        buffer.replace(
            slot.pos, slot.width,
            cformat("%0*d", {static_cast<int>(slot.width), value}).substr(0, slot.width));
    }
    if (f.alignment >= 0 && f.alignment < kAlignments) {
        buffer.replace(kAlignmentPos, 4, cformat("%04d", {f.alignment}));
    }
    buffer.replace(kStoreAddressPos, 2, f.storeAddress ? "01" : "00");
    const unsigned formats = (static_cast<unsigned>(f.sellByFormat & 7) << 6) |
                             (static_cast<unsigned>(f.bestBeforeFormat & 7) << 3) |
                             static_cast<unsigned>(f.packingFormat & 7);
    buffer.replace(kFormatsPos, 4, cformat("%04x", {formats}));
    return buffer;
}

std::vector<TableReference> defaultLabelReferences(const DefaultLabelFields& fields,
                                                   const char* kindName) {
    const struct {
        LabelField field;
        ReferredTable table;
    } named[] = {{LabelField::AdvertisingText, ReferredTable::Advertisement},
                 {LabelField::ExtraText, ReferredTable::ExtraText},
                 {LabelField::PackingDateText, ReferredTable::DateText},
                 {LabelField::BestBeforeDateText, ReferredTable::DateText},
                 {LabelField::SellByDateText, ReferredTable::DateText}};
    std::vector<TableReference> references;
    for (const auto& n : named) {
        const int number = intValue(fields.text(n.field));
        if (number != 0) {
            references.push_back({kindName, n.table, number});
        }
    }
    return references;
}

void DefaultLabel::open() {
    known_ = readKnownNumbers(
        {ReferredTable::Advertisement, ReferredTable::ExtraText, ReferredTable::DateText});
    buffer_ = std::string(kTemplate);
    fields_ = fieldsOfRecord(buffer_);
    const std::optional<std::string> line = readFirstLine(kindFileName(kind_.letter), kLineLimit);
    if (line) {
        load(*line);
    }
}

void DefaultLabel::load(const std::string& line) {
    if (line.size() != kLength) {
        return;
    }
    buffer_ = line;
    fields_ = fieldsOfRecord(buffer_);
}

std::optional<LabelField> DefaultLabel::check() {
    const std::optional<LabelFieldProblem> problem = checkFields(fields_);
    if (!problem) {
        return std::nullopt;
    }
    tell(problem->message);
    fields_.text(problem->field).clear();
    return problem->field;
}

std::string DefaultLabel::builtRecord() {
    buffer_ = recordWithFields(buffer_, fields_, kindDigit(kind_.letter));
    return buffer_;
}

bool DefaultLabel::save() {
    if (check()) {
        return false;
    }
    const std::string name = kindFileName(kind_.letter);
    const FileProblem problem = writeTextLines(name, {builtRecord()});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

std::vector<std::string> DefaultLabel::referenceProblems() const {
    return danglingReferences(defaultLabelReferences(fields_, kind_.name), known_);
}

void DefaultLabel::send() {
    if (check() || !confirmSendDespite(referenceProblems())) {
        return;
    }
    runTableTransfer({builtRecord()}, TransferRequest{kTransferMessage, false}, kErrorSuffix);
}

void DefaultLabel::request() {
    const char digit = kindDigit(kind_.letter);
    const std::string requestLine = kRequestHead + std::string(1, digit);
    if (const FileProblem problem = writeTransferFile({requestLine}); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error, transferfile::kOutUnwritable);
        return;
    }
    TransferRequest receive{kTransferMessage, true};
    receive.answerFrameLimit = 1;  // the kind's record is one frame
    transferRunner().run(receive);
    const std::optional<std::string> line = readFirstLine(transferfile::kIn, kLineLimit);
    if (!line) {
        tell(kNoAnswerMessage, PromptIcon::None, transferfile::kInUnreadable);
        return;
    }
    if (line->size() != kLength || !isSuccessLine(*line)) {
        tell(latin1ToUtf8(kBadAnswerMessage + *line));
        return;
    }
    if (const std::string misfit = answerMisfit({}, {requestLine}, {*line}); !misfit.empty()) {
        tell(latin1ToUtf8(misfit), PromptIcon::Warning);
        return;
    }
    if ((*line)[kKindPos] != digit) {
        tell(kOtherKindMessage);
        return;
    }
    load(*line);
}

}  // namespace vorn
