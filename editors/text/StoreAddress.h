#pragma once
// The store address printed on labels: one text of two centred lines (CR LF in the dialog,
// 0x10 in the record), kept in shpnm.dat.

#include <cstddef>
#include <string>
#include <string_view>

#include "editors/kit/SingleText.h"

namespace vorn {

namespace storeaddress {
// The record: the envelope, the fixed number "01" (16-17) and the address (18 on, 73
// characters).
inline constexpr const char* kRecordFormat = "000212000000000001%-73s";
inline constexpr std::size_t kTextPos = 18;
inline constexpr std::size_t kTextWidth = 73;
inline constexpr const char* kRequestLine = "000212000700000000";
inline constexpr const char* kTransferMessage =
    "Transfering Store Address information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
inline constexpr std::size_t kAnswerLineLimit = 179;
// The address field: at most 74 characters (a line break counts two), two lines.
inline constexpr int kFieldLength = 74;
inline constexpr int kFieldLines = 2;
}  // namespace storeaddress

const SingleTextKind& storeAddressTable();

// The record line of an address: CR LF as 0x10, a break before the 37th character of a text of
// one line longer than 36, cut to the record's 73 characters. No line end.
std::string storeAddressRecord(const std::string& address);
// The address of an answer line: width characters from position 18, blanks at the end removed,
// every lineBreak character as CR LF.
std::string storeAddressOfAnswer(std::string_view line,
                                 std::size_t width = storeaddress::kTextWidth,
                                 char lineBreak = 0x10);
// The address of an answer line as the batch reads it: its breaks (code 16 as sent, or code 210)
// as CR LF.
std::string batchStoreAddressOfAnswer(std::string_view line);

// The store address dialog's model.
class StoreAddress : public SingleText {
public:
    StoreAddress() : SingleText(storeAddressTable()) {}
};

}  // namespace vorn
