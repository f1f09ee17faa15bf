#include "tab/Csv.h"

namespace vorn::csv {

namespace {

constexpr char kQuote = '"';

}  // namespace

char detectSeparator(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == kQuote) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\n' || c == '\r') {
            break;
        } else if (c == ',') {
            ++commas;
        } else if (c == ';') {
            ++semicolons;
        }
    }
    return semicolons > commas ? ';' : ',';
}

Reader::Reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

bool Reader::next(Record& record) {
    if (pos_ >= text_.size()) {
        return false;
    }
    record.line = line_;
    std::size_t count = 0;
    const auto newField = [&]() -> std::string& {
        if (count == record.fields.size()) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count++];
        field.clear();
        return field;
    };
    // Ends the record at a line end at pos_ (CR LF, LF or CR); false when there is none.
    const auto lineEnd = [&] {
        const char c = text_[pos_];
        if (c != '\n' && c != '\r') {
            return false;
        }
        ++pos_;
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
        }
        ++line_;
        return true;
    };

    std::string* field = &newField();
    bool atFieldStart = true;
    while (pos_ < text_.size()) {
        if (atFieldStart && text_[pos_] == kQuote) {
            // A quoted part: up to the quote that is not doubled.
            ++pos_;
            bool closed = false;
            while (pos_ < text_.size()) {
                const std::size_t end = text_.find_first_of("\"\n", pos_);
                if (end == std::string_view::npos) {
                    field->append(text_.substr(pos_));
                    pos_ = text_.size();
                    break;
                }
                field->append(text_.substr(pos_, end - pos_));
                pos_ = end + 1;
                if (text_[end] == '\n') {
                    field->push_back('\n');
                    ++line_;
                } else if (pos_ < text_.size() && text_[pos_] == kQuote) {
                    field->push_back(kQuote);
                    ++pos_;
                } else {
                    closed = true;
                    break;
                }
            }
            if (!closed) {
                endedInQuotes_ = true;
            }
            atFieldStart = false;
            continue;
        }
        atFieldStart = false;
        // An unquoted run up to the next separator or line end.
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != separator_ && text_[end] != '\n' &&
               text_[end] != '\r') {
            ++end;
        }
        field->append(text_.substr(pos_, end - pos_));
        pos_ = end;
        if (pos_ >= text_.size()) {
            break;
        }
        if (text_[pos_] == separator_) {
            ++pos_;
            field = &newField();
            atFieldStart = true;
            continue;
        }
        lineEnd();
        break;
    }
    record.fields.resize(count);
    return true;
}

void appendField(std::string& out, std::string_view field, char separator) {
    bool quoted = !field.empty() && (field.front() == ' ' || field.back() == ' ');
    for (std::size_t i = 0; i < field.size() && !quoted; ++i) {
        const char c = field[i];
        quoted = c == separator || c == kQuote || c == '\r' || c == '\n';
    }
    if (!quoted) {
        out.append(field);
        return;
    }
    out.push_back(kQuote);
    for (char c : field) {
        if (c == kQuote) {
            out.push_back(kQuote);
        }
        out.push_back(c);
    }
    out.push_back(kQuote);
}

void appendRecord(std::string& out, const std::vector<std::string>& fields, char separator) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out.push_back(separator);
        }
        appendField(out, fields[i], separator);
    }
    out.append("\r\n");
}

}  // namespace vorn::csv
