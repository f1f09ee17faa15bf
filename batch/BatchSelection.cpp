#include "batch/BatchSelection.h"

#include <optional>

#include "tables/Archive.h"

namespace vorn {

bool BatchSelection::ticked(int slot) const {
    return slot >= 1 && slot <= kSelectionSlots && flags[static_cast<std::size_t>(slot - 1)] != 0;
}

void BatchSelection::set(int slot, bool on) {
    if (slot >= 1 && slot <= kSelectionSlots) {
        flags[static_cast<std::size_t>(slot - 1)] = on ? 1 : 0;
    }
}

void BatchSelection::setAll(bool on) {
    flags.fill(on ? 1 : 0);
}

std::string encodeSelection(const BatchSelection& selection) {
    ArchiveWriter out;
    out.string(tablefile::kTransSignature);
    for (std::int32_t flag : selection.flags) {
        out.longValue(flag);
    }
    return out.bytes();
}

LoadedSelection parseSelection(std::string_view bytes) {
    LoadedSelection loaded;
    ArchiveReader in(bytes);
    std::string signature;
    if (!in.string(signature)) {
        loaded.problem = std::string(tablefile::kTransSelection) +
                         " is damaged or incomplete: the signature is cut short";
        return loaded;
    }
    for (int i = 0; i < kSelectionSlots; ++i) {
        std::int32_t flag = 0;
        if (!in.longValue(flag)) {
            loaded.problem = std::string(tablefile::kTransSelection) +
                             " is damaged or incomplete: " + std::to_string(i) + " of " +
                             std::to_string(kSelectionSlots) + " selection flags read";
            break;
        }
        loaded.selection.flags[static_cast<std::size_t>(i)] = flag;
    }
    return loaded;
}

LoadedSelection loadSelection() {
    const std::optional<std::string> bytes = readFileBytes(tablefile::kTransSelection);
    if (!bytes) {
        return {};
    }
    return parseSelection(*bytes);
}

FileProblem saveSelection(const BatchSelection& selection) {
    return writeFileAtomically(tablefile::kTransSelection, encodeSelection(selection));
}

}  // namespace vorn
