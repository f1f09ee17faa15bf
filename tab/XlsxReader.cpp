#include "tab/XlsxReader.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace vorn::xlsx {

namespace {

// Names are matched by their local part: "x:c" and "c" are the same element, "r:id" is the
// attribute "id" with a prefix. (The parser does no namespace processing: it would cost a third
// of the time of reading a large sheet, and the parts of a workbook use fixed namespaces.)
constexpr char kNamespaceSeparator = ':';
constexpr std::size_t kPiece = std::size_t{1} << 16;

std::string_view localName(std::string_view name) {
    const std::size_t bar = name.rfind(kNamespaceSeparator);
    return bar == std::string_view::npos ? name : name.substr(bar + 1);
}

bool namespaced(std::string_view name) {
    return name.find(kNamespaceSeparator) != std::string_view::npos;
}

// An attribute's value by its local name; `qualified` asks for one in a namespace (r:id).
std::optional<std::string_view> attribute(const char** attributes, std::string_view name,
                                          bool qualified = false) {
    for (std::size_t i = 0; attributes[i] != nullptr; i += 2) {
        const std::string_view key = attributes[i];
        if (localName(key) == name && namespaced(key) == qualified) {
            return std::string_view(attributes[i + 1]);
        }
    }
    return std::nullopt;
}

// A cell reference's column (from 0) and row (from 1; 0 when the reference has none).
std::optional<std::pair<std::size_t, std::size_t>> parseReference(std::string_view reference) {
    std::size_t column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && i < 4; ++i) {
        char c = reference[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c < 'A' || c > 'Z') {
            break;
        }
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
    }
    if (i == 0 || i > 3) {
        return std::nullopt;
    }
    std::size_t row = 0;
    const std::string_view digits = reference.substr(i);
    if (digits.size() > 7) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        row = row * 10 + static_cast<std::size_t>(c - '0');
    }
    return std::pair{column - 1, row};
}

std::optional<std::size_t> parseCount(std::string_view text, std::size_t most) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    if (value > most) {
        return std::nullopt;
    }
    return value;
}

// A relationship's target as a path in the container: relative to the directory of the part
// whose relationships name it, or from the root when it starts with "/".
std::string resolvedPath(std::string_view base, std::string_view target) {
    std::vector<std::string> parts;
    if (!target.starts_with('/')) {
        const std::size_t slash = base.rfind('/');
        std::string_view dir = slash == std::string_view::npos ? "" : base.substr(0, slash);
        while (!dir.empty()) {
            const std::size_t next = dir.find('/');
            parts.emplace_back(dir.substr(0, next));
            dir = next == std::string_view::npos ? "" : dir.substr(next + 1);
        }
    }
    while (!target.empty()) {
        const std::size_t next = target.find('/');
        const std::string_view part = target.substr(0, next);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        target = next == std::string_view::npos ? "" : target.substr(next + 1);
    }
    std::string path;
    for (const std::string& part : parts) {
        path += (path.empty() ? "" : "/") + part;
    }
    return path;
}

// The relationships of a part: Id, Type's last word and Target of each.
struct Relationship {
    std::string id;
    std::string type;
    std::string target;
    bool external = false;
};

class RelationshipsParser : public PartParser {
public:
    std::vector<Relationship> relationships;

private:
    void start(std::string_view name, const char** attributes) override {
        if (localName(name) != "Relationship" || relationships.size() >= 1000) {
            return;
        }
        Relationship r;
        r.id = attribute(attributes, "Id").value_or("");
        const std::string_view type = attribute(attributes, "Type").value_or("");
        r.type = type.substr(type.rfind('/') == std::string_view::npos ? 0 : type.rfind('/') + 1);
        r.target = attribute(attributes, "Target").value_or("");
        r.external = attribute(attributes, "TargetMode").value_or("") == "External";
        relationships.push_back(std::move(r));
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

class WorkbookParser : public PartParser {
public:
    std::optional<std::pair<std::string, std::string>> firstSheet;  // name, relationship id

private:
    void start(std::string_view name, const char** attributes) override {
        if (localName(name) != "sheet" || firstSheet) {
            return;
        }
        firstSheet = {std::string(attribute(attributes, "name").value_or("")),
                      std::string(attribute(attributes, "id", true).value_or(""))};
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

std::vector<Relationship> relationshipsOf(std::string_view xml, std::string& problem) {
    RelationshipsParser parser;
    parser.feed(xml, true);
    problem = parser.problem();
    return std::move(parser.relationships);
}

// The character of an escape "_xHHHH_" at the start of text.
std::optional<char32_t> escapeAt(std::string_view text) {
    if (text.size() < 7 || !text.starts_with("_x") || text[6] != '_') {
        return std::nullopt;
    }
    char32_t code = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        code = code * 16 + static_cast<char32_t>(digit);
    }
    return code;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::string unescapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t underscore = text.find("_x", i);
        if (underscore == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, underscore - i));
        const std::optional<char32_t> code = escapeAt(text.substr(underscore));
        if (code && (*code < 0xD800 || *code > 0xDFFF)) {
            appendUtf8(out, *code);
            i = underscore + 7;
        } else {
            out.push_back('_');
            i = underscore + 1;
        }
    }
    return out;
}

std::string escapedUnderscores(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (escapeAt(text.substr(i))) {
            out.append("_x005F_");
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// --- XML parts -------------------------------------------------------------------------------

struct PartParser::Expat {
    XML_Parser parser = nullptr;
    ~Expat() {
        if (parser != nullptr) {
            XML_ParserFree(parser);
        }
    }
};

PartParser::PartParser() : expat_(std::make_unique<Expat>()) {
    expat_->parser = XML_ParserCreate(nullptr);
    if (expat_->parser == nullptr) {
        problem_ = "out of memory for the XML parser";
        return;
    }
    XML_SetUserData(expat_->parser, this);
    XML_SetElementHandler(
        expat_->parser,
        [](void* self, const XML_Char* name, const XML_Char** attributes) {
            static_cast<PartParser*>(self)->start(name, attributes);
        },
        [](void* self, const XML_Char* name) { static_cast<PartParser*>(self)->end(name); });
    XML_SetCharacterDataHandler(expat_->parser, [](void* self, const XML_Char* text, int length) {
        static_cast<PartParser*>(self)->text(
            std::string_view(text, static_cast<std::size_t>(length)));
    });
    // A workbook part has no document type: one that declares one (and with it entities) is
    // refused before anything of it is expanded.
    XML_SetStartDoctypeDeclHandler(
        expat_->parser, [](void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
            static_cast<PartParser*>(self)->fail("it declares a document type");
        });
}

PartParser::~PartParser() = default;

void PartParser::fail(std::string problem) {
    if (problem_.empty()) {
        problem_ = std::move(problem);
    }
    if (expat_->parser != nullptr) {
        XML_StopParser(expat_->parser, XML_FALSE);
    }
}

bool PartParser::feed(std::string_view piece, bool last) {
    do {
        if (!problem_.empty()) {
            return false;
        }
        const std::size_t size = std::min(piece.size(), std::size_t{1} << 20);
        const bool final = last && size == piece.size();
        if (XML_Parse(expat_->parser, piece.data(), static_cast<int>(size), final ? 1 : 0) ==
                XML_STATUS_ERROR &&
            problem_.empty()) {
            problem_ = std::string("it is not well-formed XML (") +
                       XML_ErrorString(XML_GetErrorCode(expat_->parser)) + " on line " +
                       std::to_string(XML_GetCurrentLineNumber(expat_->parser)) + ")";
        }
        piece.remove_prefix(size);
    } while (!piece.empty());
    return problem_.empty();
}

void SharedStringsParser::start(std::string_view name, const char**) {
    const std::string_view local = localName(name);
    if (local == "si") {
        if (item_ == 0) {
            if (strings_.size() >= kMostSharedStrings) {
                fail("it holds more than " + std::to_string(kMostSharedStrings) + " strings");
                return;
            }
            strings_.emplace_back();
        }
        ++item_;
    } else if (local == "rPh" && item_ > 0) {
        ++phonetic_;
    } else if (local == "t" && item_ > 0 && phonetic_ == 0) {
        inText_ = true;
    }
}

void SharedStringsParser::end(std::string_view name) {
    const std::string_view local = localName(name);
    if (local == "si" && item_ > 0) {
        if (--item_ == 0 && strings_.back().find("_x") != std::string::npos) {
            strings_.back() = unescapedText(strings_.back());
        }
    } else if (local == "rPh" && phonetic_ > 0) {
        --phonetic_;
    } else if (local == "t") {
        inText_ = false;
    }
}

void SharedStringsParser::text(std::string_view text) {
    if (!inText_ || strings_.empty()) {
        return;
    }
    bytes_ += text.size();
    if (bytes_ > kMostSharedStringBytes) {
        fail("its strings are larger than " + std::to_string(kMostSharedStringBytes >> 20) +
             " MiB");
        return;
    }
    strings_.back().append(text);
}

SheetParser::SheetParser(const std::vector<std::string>& sharedStrings) : shared_(sharedStrings) {}

bool SheetParser::takeRow(SheetRow& row) {
    if (rows_.empty()) {
        return false;
    }
    row = std::move(rows_.front());
    rows_.pop_front();
    return true;
}

void SheetParser::start(std::string_view name, const char** attributes) {
    const std::string_view local = localName(name);
    if (local == "sheetData") {
        inSheetData_ = true;
    } else if (!inSheetData_) {
        return;
    } else if (local == "row" && !inRow_) {
        const std::optional<std::string_view> r = attribute(attributes, "r");
        const std::optional<std::size_t> number =
            r ? parseCount(*r, kMostRows) : std::optional<std::size_t>(rowNumber_ + 1);
        if (!number || *number == 0 || *number > kMostRows) {
            fail("a row is numbered \u201C" + std::string(r.value_or("")) +
                 "\u201D, which is no row of a sheet");
            return;
        }
        inRow_ = true;
        rowNumber_ = *number;
        nextColumn_ = 0;
        row_.line = rowNumber_;
        row_.cells.clear();
        row_.types.clear();
    } else if (local == "c" && inRow_ && !inCell_) {
        const std::optional<std::string_view> r = attribute(attributes, "r");
        if (r) {
            const auto reference = parseReference(*r);
            if (!reference) {
                fail("the cell reference \u201C" + std::string(*r) + "\u201D in row " +
                     std::to_string(rowNumber_) + " is not one");
                return;
            }
            column_ = reference->first;
        } else {
            column_ = nextColumn_;
        }
        nextColumn_ = column_ + 1;
        inCell_ = true;
        type_ = attribute(attributes, "t").value_or("n");
        value_.clear();
        inline_.clear();
        formula_ = false;
    } else if (!inCell_) {
        return;
    } else if (local == "v") {
        inValue_ = true;
    } else if (local == "f") {
        formula_ = true;
    } else if (local == "is") {
        inInline_ = true;
    } else if (local == "rPh" && inInline_) {
        ++phonetic_;
    } else if (local == "t" && inInline_ && phonetic_ == 0) {
        ++inlineText_;
    }
}

void SheetParser::end(std::string_view name) {
    const std::string_view local = localName(name);
    if (local == "sheetData") {
        inSheetData_ = false;
    } else if (local == "row" && inRow_) {
        inRow_ = false;
        if (!row_.cells.empty()) {
            rows_.push_back(std::move(row_));
            row_ = SheetRow{};
        }
    } else if (local == "c" && inCell_) {
        endCell();
        inCell_ = false;
    } else if (local == "v") {
        inValue_ = false;
    } else if (local == "is") {
        inInline_ = false;
    } else if (local == "rPh" && phonetic_ > 0) {
        --phonetic_;
    } else if (local == "t" && inlineText_ > 0) {
        --inlineText_;
    }
}

void SheetParser::text(std::string_view text) {
    std::string* into = inValue_ ? &value_ : inlineText_ > 0 ? &inline_ : nullptr;
    if (into == nullptr) {
        return;
    }
    if (into->size() + text.size() > kMostCellBytes) {
        fail("cell " + cellReference(column_, rowNumber_) + " holds more than " +
             std::to_string(kMostCellBytes >> 20) + " MiB");
        return;
    }
    into->append(text);
}

void SheetParser::endCell() {
    std::string text;
    CellType type = CellType::Text;
    if (type_ == "s") {
        const std::optional<std::size_t> index = parseCount(value_, SIZE_MAX);
        if (!index || *index >= shared_.size()) {
            fail("cell " + cellReference(column_, rowNumber_) + " refers to shared string \u201C" +
                 value_ + "\u201D, and there are " + std::to_string(shared_.size()));
            return;
        }
        text = shared_[*index];
    } else if (type_ == "inlineStr") {
        text = unescapedText(inline_);
    } else if (type_ == "b") {
        text = value_ == "1" ? "TRUE" : value_ == "0" ? "FALSE" : value_;
        type = CellType::Boolean;
    } else if (type_ == "e") {
        text = std::move(value_);
        type = CellType::Error;
    } else if (type_ == "str") {
        text = unescapedText(value_);
    } else if (type_ == "d") {
        text = std::move(value_);
    } else {
        text = std::move(value_);
        type = CellType::Number;
    }
    if (formula_) {
        type = CellType::Formula;
    } else if (text.empty()) {
        return;  // no value: a cell that has only a format
    }
    if (column_ >= kMostColumns) {
        fail("cell " + cellReference(column_, rowNumber_) + " lies beyond column " +
             cellReference(kMostColumns - 1, 0) + ", where a PLU sheet has nothing");
        return;
    }
    if (row_.cells.size() <= column_) {
        row_.cells.resize(column_ + 1);
        row_.types.resize(column_ + 1, CellType::Text);
    }
    row_.cells[column_] = std::move(text);
    row_.types[column_] = type;
}

// --- The container ---------------------------------------------------------------------------

bool isZipContainer(std::string_view bytes) {
    return bytes.starts_with(std::string_view("PK\x03\x04", 4));
}

std::string cellReference(std::size_t column, std::size_t row) {
    std::string letters;
    std::size_t n = column + 1;
    while (n > 0) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
        n = (n - 1) / 26;
    }
    return row == 0 ? letters : letters + std::to_string(row);
}

std::string officeDocumentPath(std::string_view packageRelsXml) {
    std::string problem;
    for (const Relationship& r : relationshipsOf(packageRelsXml, problem)) {
        if (r.type == "officeDocument" && !r.external) {
            return resolvedPath("", r.target);
        }
    }
    return {};
}

FirstSheet firstSheet(std::string_view workbookXml, std::string_view workbookRelsXml,
                      std::string_view workbookPath) {
    FirstSheet found;
    WorkbookParser workbook;
    if (!workbook.feed(workbookXml, true)) {
        found.problem = "its workbook part cannot be read: " + workbook.problem();
        return found;
    }
    if (!workbook.firstSheet) {
        found.problem = "it has no sheet";
        return found;
    }
    found.name = workbook.firstSheet->first;
    std::string problem;
    const std::vector<Relationship> relationships = relationshipsOf(workbookRelsXml, problem);
    if (!problem.empty()) {
        found.problem = "the relationships of its workbook part cannot be read: " + problem;
        return found;
    }
    for (const Relationship& r : relationships) {
        if (r.external) {
            continue;
        }
        if (r.id == workbook.firstSheet->second) {
            if (r.type != "worksheet") {
                found.problem = "its first sheet, \u201C" + found.name +
                                "\u201D, is not a sheet of cells (" + r.type + ")";
                return found;
            }
            found.path = resolvedPath(workbookPath, r.target);
        } else if (r.type == "sharedStrings") {
            found.sharedStringsPath = resolvedPath(workbookPath, r.target);
        }
    }
    if (found.path.empty()) {
        found.problem = "the part of its first sheet, \u201C" + found.name + "\u201D, is not named";
    }
    return found;
}

struct SheetReader::Container {
    zip_t* zip = nullptr;
    zip_file_t* sheet = nullptr;
    ~Container() {
        if (sheet != nullptr) {
            zip_fclose(sheet);
        }
        if (zip != nullptr) {
            zip_discard(zip);
        }
    }

    zip_file_t* open(const std::string& path) const {
        const zip_int64_t index = zip_name_locate(zip, path.c_str(), ZIP_FL_NOCASE);
        return index < 0 ? nullptr : zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0);
    }

    // Reads a part a piece at a time, each piece to `take`, up to `most` bytes; the problem, or
    // empty.
    template <class Take>
    std::string read(const std::string& path, std::size_t most, Take take) const {
        zip_file_t* file = open(path);
        if (file == nullptr) {
            return "its part " + path + " is missing or cannot be opened (" + zip_strerror(zip) +
                   ")";
        }
        std::string piece(kPiece, '\0');
        std::size_t total = 0;
        std::string problem;
        for (;;) {
            const zip_int64_t got = zip_fread(file, piece.data(), piece.size());
            if (got < 0) {
                problem = "its part " + path + " is damaged (" + zip_file_strerror(file) + ")";
                break;
            }
            total += static_cast<std::size_t>(got);
            if (total > most) {
                problem =
                    "its part " + path + " is larger than " + std::to_string(most >> 20) + " MiB";
                break;
            }
            if (!take(std::string_view(piece.data(), static_cast<std::size_t>(got)), got == 0)) {
                break;
            }
            if (got == 0) {
                break;
            }
        }
        zip_fclose(file);
        return problem;
    }

    std::string readWhole(const std::string& path, std::string& out) const {
        return read(path, kMostPartBytes, [&](std::string_view piece, bool) {
            out.append(piece);
            return true;
        });
    }
};

SheetReader::SheetReader(std::string_view bytes) : container_(std::make_unique<Container>()) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) {
        container_->zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (container_->zip == nullptr) {
            zip_source_free(source);
        }
    }
    if (container_->zip == nullptr) {
        problem_ =
            std::string("it is no workbook that can be read (") + zip_error_strerror(&error) + ")";
        zip_error_fini(&error);
        return;
    }
    zip_error_fini(&error);

    std::string packageRels;
    std::string workbookPath = "xl/workbook.xml";
    if (container_->readWhole("_rels/.rels", packageRels).empty()) {
        if (std::string path = officeDocumentPath(packageRels); !path.empty()) {
            workbookPath = std::move(path);
        }
    }
    std::string workbook;
    std::string workbookRels;
    const std::size_t slash = workbookPath.rfind('/');
    const std::string relsPath =
        (slash == std::string::npos ? "" : workbookPath.substr(0, slash + 1)) + "_rels/" +
        workbookPath.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
    if (std::string problem = container_->readWhole(workbookPath, workbook); !problem.empty()) {
        problem_ = std::move(problem);
        return;
    }
    if (std::string problem = container_->readWhole(relsPath, workbookRels); !problem.empty()) {
        problem_ = std::move(problem);
        return;
    }
    const FirstSheet sheet = firstSheet(workbook, workbookRels, workbookPath);
    if (!sheet.problem.empty()) {
        problem_ = sheet.problem;
        return;
    }
    sheetName_ = sheet.name;
    if (!sheet.sharedStringsPath.empty()) {
        SharedStringsParser parser;
        std::string problem = container_->read(
            sheet.sharedStringsPath, kMostSharedStringBytes,
            [&](std::string_view piece, bool last) { return parser.feed(piece, last); });
        if (problem.empty() && !parser.problem().empty()) {
            problem = "its shared strings cannot be read: " + parser.problem();
        }
        if (!problem.empty()) {
            problem_ = std::move(problem);
            return;
        }
        sharedStrings_ = std::move(parser.strings());
    }
    container_->sheet = container_->open(sheet.path);
    if (container_->sheet == nullptr) {
        problem_ = "its sheet part " + sheet.path + " is missing or cannot be opened (" +
                   zip_strerror(container_->zip) + ")";
        return;
    }
    sheet_ = std::make_unique<SheetParser>(sharedStrings_);
}

SheetReader::~SheetReader() = default;

bool SheetReader::next(SheetRow& row) {
    if (!problem_.empty() || !sheet_) {
        return false;
    }
    piece_.resize(kPiece);
    while (!sheet_->takeRow(row)) {
        if (sheetDone_) {
            return false;
        }
        const zip_int64_t got = zip_fread(container_->sheet, piece_.data(), piece_.size());
        if (got < 0) {
            problem_ =
                std::string("its sheet is damaged (") + zip_file_strerror(container_->sheet) + ")";
            return false;
        }
        sheetBytes_ += static_cast<std::size_t>(got);
        if (sheetBytes_ > kMostSheetBytes) {
            problem_ = "its sheet is larger than " + std::to_string(kMostSheetBytes >> 20) + " MiB";
            return false;
        }
        sheetDone_ = got == 0;
        if (!sheet_->feed(std::string_view(piece_.data(), static_cast<std::size_t>(got)),
                          sheetDone_)) {
            problem_ = "its sheet cannot be read: " + sheet_->problem();
            return false;
        }
    }
    return true;
}

}  // namespace vorn::xlsx
