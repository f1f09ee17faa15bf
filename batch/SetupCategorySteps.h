#pragma once
// The batch steps of the scale's setup: the preset keyboard (key.dat), the three label layouts
// (labedita.dat to labeditc.dat) and the operator configuration (Mode.dat).

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "tables/KeyFile.h"

namespace vorn {

std::optional<TransferSettings> sendPresetKeys(const BatchContext& context);
std::optional<TransferSettings> requestPresetKeys(const BatchContext& context);
StoreOutcome storePresetKeys(const BatchContext& context, const BatchCategory& category);
// The keys of a good answer, over the keys of a new keyboard (the discount number "0" when the
// discount is off).
PresetKeys presetKeysOfAnswer(const std::vector<std::string>& lines);

std::optional<TransferSettings> sendLabelLayouts(const BatchContext& context);
std::optional<TransferSettings> requestLabelLayouts(const BatchContext& context);
StoreOutcome storeLabelLayouts(const BatchContext& context, const BatchCategory& category);
// The layout line that each of the three requests brought, in request order; no value for a
// request that the scale answered without a layout (an empty slot).
std::vector<std::optional<std::string>> layoutsOfAnswer(const std::vector<std::string>& lines);

std::optional<TransferSettings> sendModeFile(const BatchContext& context);
std::optional<TransferSettings> requestModeRecord(const BatchContext& context);
StoreOutcome storeModeRecord(const BatchContext& context, const BatchCategory& category);

}  // namespace vorn
