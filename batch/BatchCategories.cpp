#include "batch/BatchCategories.h"

#include "batch/ClockStep.h"
#include "batch/NumberedCategorySteps.h"
#include "editors/DateTimeRecord.h"

namespace vorn {

namespace {

// The categories whose tables have not landed yet: their steps start no transfer and report
// nothing. Each gets its steps when its table does.
std::optional<TransferSettings> transferNotYetAvailable(const BatchContext&) {
    return std::nullopt;
}
StoreOutcome storeNotYetAvailable(const BatchContext&, const BatchCategory&) {
    return StoreOutcome::NoAnswer;
}

BatchCategory notYetAvailable(BatchCategory category) {
    category.available = false;
    category.send = transferNotYetAvailable;
    category.request = transferNotYetAvailable;
    category.store = storeNotYetAvailable;
    return category;
}

BatchCategory numbered(BatchCategory category, const NumberedBatchTable& table) {
    category.available = true;
    category.send = [&table](const BatchContext&) { return sendNumberedTable(table); };
    category.request = [&table](const BatchContext&) { return requestNumberedTable(table); };
    category.store = [&table](const BatchContext&, const BatchCategory& c) {
        return storeNumberedTable(table, c);
    };
    return category;
}

BatchCategory clock(BatchCategory category) {
    category.available = true;
    category.send = sendDateTime;
    return category;
}

std::vector<BatchCategory> makeCategories() {
    return {
        notYetAvailable({.caption = "PLU",
                         .name = "plu",
                         .slot = 9,
                         .sendMessage = "Transfering PLU items,please wait...",
                         .requestMessage = "Transfering PLU items,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = false,
                         .readBack = true}),
        notYetAvailable({.caption = "Extra Text",
                         .name = "extra-text",
                         .slot = 21,
                         .sendMessage = "Transfering Extra Text,please wait...",
                         .requestMessage = "Transfering Extra Text,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = false,
                         .readBack = true}),
        notYetAvailable({.caption = "Preset Key",
                         .name = "preset-key",
                         .slot = 10,
                         .sendMessage = "Transfering Preset Key information,please wait...",
                         .requestMessage = "Transfering Preset Key information,please wait...",
                         .errorSuffix = "error!",
                         .errorStopsRun = true,
                         .readBack = true}),
        numbered({.caption = "Group",
                  .name = "group",
                  .slot = 1,
                  .sendMessage = "Transfering Articlegroup information,please wait...",
                  .requestMessage = "Transfering Article group information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true,
                  .readBack = true},
                 groupBatch()),
        numbered({.caption = "Operator",
                  .name = "operator",
                  .slot = 7,
                  .sendMessage = "Transfering Operator information,please wait...",
                  .requestMessage = "Transfering Operator information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true,
                  .readBack = true},
                 operatorBatch()),
        numbered({.caption = "Tare",
                  .name = "tare",
                  .slot = 14,
                  .sendMessage = "Transfering Tare information,please wait...",
                  .requestMessage = "Transfering Tare information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true,
                  .readBack = true},
                 tareBatch()),
        notYetAvailable({.caption = "Discount",
                         .name = "discount",
                         .slot = 16,
                         .sendMessage = "Transfering Discount information,please wait...",
                         .requestMessage = "Transfering Discount information,please wait...",
                         .errorSuffix = "error!",
                         .errorStopsRun = false,
                         .readBack = true}),
        numbered({.caption = "DateText",
                  .name = "datetext",
                  .slot = 2,
                  .sendMessage = "Transfering Date Text information,please wait...",
                  .requestMessage = "Transfering Date Text information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true,
                  .readBack = true},
                 dateTextBatch()),
        notYetAvailable({.caption = "Bar Code",
                         .name = "bar-code",
                         .slot = 22,
                         .sendMessage = "Transfering Barcode information,please wait...",
                         .requestMessage = "Transfering Barcode information,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = false,
                         .readBack = true}),
        notYetAvailable(
            {.caption = "Advertisement",
             .name = "advertisement",
             .slot = 17,
             .sendMessage = "Transfering Advertisement Text information,please wait...",
             .requestMessage = "Transfering Advertisement Text information,please wait...",
             .errorSuffix = "error!",
             .errorStopsRun = true,
             .readBack = true}),
        notYetAvailable(
            {.caption = "Marquee Message",
             .name = "marquee-message",
             .slot = 11,
             .sendMessage = "Transfering Marquee  message information,please wait...",
             .requestMessage = "Transfering Marquee  message information,please wait...",
             .errorSuffix = "error",
             .errorStopsRun = true,
             .readBack = true}),
        notYetAvailable({.caption = "Header Bottom",
                         .name = "header-bottom",
                         .slot = 5,
                         .sendMessage = "Transfering Head/foot information,please wait...",
                         .requestMessage = "Transfering Head/foot information,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = true,
                         .readBack = true}),
        notYetAvailable({.caption = "Store Address",
                         .name = "store-address",
                         .slot = 13,
                         .sendMessage = "Transfering Store Address information,please wait...",
                         .requestMessage = "Transfering Store Address information,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = true,
                         .readBack = true}),
        notYetAvailable({.caption = "Default Label",
                         .name = "default-label",
                         .slot = 6,
                         .sendMessage = "Transfering label information ,please wait...",
                         .requestMessage = "Transfering label information ,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = true,
                         .readBack = true}),
        clock({.caption = "Datetime",
               .name = "datetime",
               .slot = 3,
               .sendMessage = clockrecord::kTransferMessage,
               .requestMessage = clockrecord::kTransferMessage,
               .errorSuffix = "",
               .errorStopsRun = false,
               .readBack = false}),
        notYetAvailable({.caption = "Operator setup",
                         .name = "operator-setup",
                         .slot = 8,
                         .sendMessage = "Transfering Operator information,please wait...",
                         .requestMessage = "Transfering Operator information,please wait...",
                         .errorSuffix = "error",
                         .errorStopsRun = true,
                         .readBack = true}),
    };
}

}  // namespace

const std::vector<BatchCategory>& batchCategories() {
    static const std::vector<BatchCategory> categories = makeCategories();
    return categories;
}

const BatchCategory* batchCategoryNamed(std::string_view name) {
    for (const BatchCategory& c : batchCategories()) {
        if (name == c.name) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace vorn
