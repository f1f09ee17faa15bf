#pragma once
// Rows of one table that name rows of another: a preset key names a PLU; a PLU names its group,
// tare and texts; a default label names its texts. A reference to a row that the other table
// does not hold is told in the referring table's editor and before a send, so that a scale is
// not sent a key or label that points to nothing.
//
// The numbers of the scale directory's tables are read by a reader that sees every table (the
// batch transfer's); the program installs it, as it installs its prompter and transfer runner.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vorn {

enum class ReferredTable { Plu, Group, Tare, Advertisement, ExtraText, DateText };
using ReferredTables = std::set<ReferredTable>;
inline const ReferredTables kEveryReferredTable = {
    ReferredTable::Plu,           ReferredTable::Group,     ReferredTable::Tare,
    ReferredTable::Advertisement, ReferredTable::ExtraText, ReferredTable::DateText};

struct TableReference {
    std::string from;  // what refers: "Key 12", "PLU 5", "By Weight Label"
    ReferredTable table;
    long number;  // 0 is no reference and is never judged
};

// The numbers the tables of the scale directory hold. A table without its file is not kept on
// this PC: references to it are not judged.
struct KnownNumbers {
    std::map<ReferredTable, std::set<long>> tables;
    bool lacks(const TableReference& reference) const;
};

// "Key 12 points to PLU 999999, which the PLU file does not have".
std::string danglingReferenceText(const TableReference& reference);

// The texts of the references whose rows are missing, in the order given.
std::vector<std::string> danglingReferences(const std::vector<TableReference>& references,
                                            const KnownNumbers& known);

// Reads the numbers of these tables (only these: the PLU file may hold 100,000 PLUs).
using KnownNumbersReader = KnownNumbers (*)(const ReferredTables& tables);
// Installs the reader of the current directory's tables; returns the one installed before.
KnownNumbersReader installKnownNumbersReader(KnownNumbersReader reader);
// The numbers that the installed reader finds in these tables; nothing is known without one.
KnownNumbers readKnownNumbers(const ReferredTables& tables);
// The tables that the references name.
ReferredTables referredTables(const std::vector<TableReference>& references);

// The problems of the references against the tables of the current directory.
std::vector<std::string> danglingReferences(const std::vector<TableReference>& references);

// Before a send: true at once without problems; otherwise asks whether to send anyway, naming
// them (the first few, and how many more).
bool confirmSendDespite(const std::vector<std::string>& problems);

}  // namespace vorn
