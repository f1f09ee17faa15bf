#include "batch/BatchCategories.h"

#include <iterator>

#include "batch/ClockStep.h"
#include "batch/ModeFileStep.h"
#include "batch/PluCategorySteps.h"
#include "batch/TableSteps.h"
#include "editors/code/BarcodeTable.h"
#include "editors/code/DiscountTable.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "editors/numbered/VatTable.h"
#include "editors/setup/DateTimeRecord.h"
#include "editors/setup/LabelFile.h"
#include "editors/setup/OperatorConfig.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "plu/PluFile.h"
#include "tables/KeyFile.h"
#include "tables/TableFiles.h"

namespace vorn {

namespace {

// A numbered table: its file, and the batch's form of its round trip.
BatchCategory numbered(BatchCategory category, const NumberedTableKind& kind) {
    category.files = {kind.file.name};
    return withTable(std::move(category), numberedRoundTrip(kind, TableForm::Batch));
}

// Mode.dat is sent as it is, by a step of its own.
BatchCategory withSend(BatchCategory category, TransferStep send) {
    category.send = std::move(send);
    return category;
}

BatchCategory withSteps(BatchCategory category, TransferStep send, TransferStep request,
                        StoreStep store) {
    category.send = std::move(send);
    category.request = std::move(request);
    category.store = std::move(store);
    return category;
}

std::vector<BatchCategory> makeCategories() {
    return {
        withSteps({.caption = "PLU",
                   .name = "plu",
                   .slot = 9,
                   .sendMessage = "Transfering PLU items,please wait...",
                   .requestMessage = "Transfering PLU items,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = false,
                   .answer = {.shownLimit = plubatch::kAnswerLineLimit,
                              .emptyMessage = plubatch::kNothingRead},
                   .files = {plufile::kName}},
                  sendPluFile, requestPluTable, storePluTable),
        withTable({.caption = "Extra Text",
                   .name = "extra-text",
                   .slot = 21,
                   .sendMessage = "Transfering Extra Text,please wait...",
                   .requestMessage = "Transfering Extra Text,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = false,
                   .answer = {.shownLimit = 100, .shownAsBytes = true},
                   .files = {tablefile::kExtraTexts}},
                  extraTextBatchRoundTrip(),
                  TableStepOptions{.settings = {1, extratext::kKeyWidth}}),
        withTable({.caption = "Preset Key",
                   .name = "preset-key",
                   .slot = 10,
                   .sendMessage = "Transfering Preset Key information,please wait...",
                   .requestMessage = "Transfering Preset Key information,please wait...",
                   .errorSuffix = "error!",
                   .errorStopsRun = true,
                   .answer = {.shownLimit = 549},
                   .files = {tablefile::kPresetKeys.name}},
                  presetKeyRoundTrip(TableForm::Batch)),
        numbered({.caption = "Group",
                  .name = "group",
                  .slot = 1,
                  .sendMessage = "Transfering Articlegroup information,please wait...",
                  .requestMessage = "Transfering Article group information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true},
                 groupBatchTable()),
        numbered({.caption = "Operator",
                  .name = "operator",
                  .slot = 7,
                  .sendMessage = "Transfering Operator information,please wait...",
                  .requestMessage = "Transfering Operator information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true},
                 operatorTable()),
        numbered({.caption = "Tare",
                  .name = "tare",
                  .slot = 14,
                  .sendMessage = "Transfering Tare information,please wait...",
                  .requestMessage = "Transfering Tare information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true},
                 tareTable()),
        withTable({.caption = "Discount",
                   .name = "discount",
                   .slot = 16,
                   .sendMessage = "Transfering Discount information,please wait...",
                   .requestMessage = "Transfering Discount information,please wait...",
                   .errorSuffix = "error!",
                   .errorStopsRun = false,
                   .answer = {.shownLimit = 69},
                   .files = {tablefile::kDiscounts}},
                  discountRoundTrip(TableForm::Batch)),
        numbered({.caption = "DateText",
                  .name = "datetext",
                  .slot = 2,
                  .sendMessage = "Transfering Date Text information,please wait...",
                  .requestMessage = "Transfering Date Text information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = true},
                 dateTextTable()),
        withTable({.caption = "Bar Code",
                   .name = "bar-code",
                   .slot = 22,
                   .sendMessage = "Transfering Barcode information,please wait...",
                   .requestMessage = "Transfering Barcode information,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = false,
                   .files = {tablefile::kBarcodes.name}},
                  barcodeBatchRoundTrip(), TableStepOptions{.emptiesTransferFile = true}),
        withTable({.caption = "Advertisement",
                   .name = "advertisement",
                   .slot = 17,
                   .sendMessage = "Transfering Advertisement Text information,please wait...",
                   .requestMessage = "Transfering Advertisement Text information,please wait...",
                   .errorSuffix = "error!",
                   .errorStopsRun = true,
                   .answer = {.missingMessage = "Can't read file!"},
                   .files = {tablefile::kAdvertisements.name}},
                  advertisementBatchRoundTrip()),
        withTable({.caption = "Marquee Message",
                   .name = "marquee-message",
                   .slot = 11,
                   .sendMessage = "Transfering Marquee  message information,please wait...",
                   .requestMessage = "Transfering Marquee  message information,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = true,
                   .files = {tablefile::kMarquee.name}},
                  singleTextRoundTrip(marqueeTable(), TableForm::Batch),
                  TableStepOptions{.emptiesTransferFile = true}),
        withTable({.caption = "Header Bottom",
                   .name = "header-bottom",
                   .slot = 5,
                   .sendMessage = "Transfering Head/foot information,please wait...",
                   .requestMessage = "Transfering Head/foot information,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = true,
                   .answer = {.shownLimit = 179},
                   .files = {tablefile::kHeaderBottom.name}},
                  headerBottomBatchRoundTrip()),
        withTable({.caption = "Store Address",
                   .name = "store-address",
                   .slot = 13,
                   .sendMessage = "Transfering Store Address information,please wait...",
                   .requestMessage = "Transfering Store Address information,please wait...",
                   .errorSuffix = "error",
                   .errorStopsRun = true,
                   .answer = {.shownLimit = 179},
                   .files = {tablefile::kStoreAddress.name}},
                  singleTextRoundTrip(storeAddressTable(), TableForm::Batch)),
        withTable(
            {.caption = "Default Label",
             .name = "default-label",
             .slot = 6,
             .sendMessage = "Transfering label information ,please wait...",
             .requestMessage = "Transfering label information ,please wait...",
             .errorSuffix = "error",
             .errorStopsRun = true,
             .answer = {.shownLimit = 895},
             .files = {std::begin(labellayout::kBatchFiles), std::end(labellayout::kBatchFiles)}},
            labelLayoutBatchRoundTrip(), TableStepOptions{.emptiesTransferFile = true}),
        withSteps({.caption = "Datetime",
                   .name = "datetime",
                   .slot = 3,
                   .sendMessage = clockrecord::kTransferMessage,
                   .requestMessage = clockrecord::kTransferMessage,
                   .errorSuffix = "",
                   .errorStopsRun = false,
                   .readBack = false},
                  sendDateTime, {}, {}),
        withSend(withTable({.caption = "Operator setup",
                            .name = "operator-setup",
                            .slot = 8,
                            .sendMessage = "Transfering Operator information,please wait...",
                            .requestMessage = "Transfering Operator information,please wait...",
                            .errorSuffix = "error",
                            .errorStopsRun = true,
                            .files = {moderecord::kFile}},
                           modeRoundTrip(TableForm::Batch)),
                 sendModeFile),
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

const BatchCategory& vatCategory() {
    static const BatchCategory category =
        numbered({.caption = "VAT",
                  .name = "vat",
                  .slot = 0,
                  .sendMessage = "Transfering VAT information,please wait...",
                  .requestMessage = "Transfering VAT information,please wait...",
                  .errorSuffix = "error",
                  .errorStopsRun = false},
                 vatTable());
    return category;
}

}  // namespace vorn
