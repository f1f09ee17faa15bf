#include "editors/code/PresetKeyEditor.h"

#include "comm/TableTransfer.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/kit/TableReferences.h"
#include "platform/Prompter.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {
// Buttons 25 to 28 of a layer (indexes 24 to 27) take the overlays.
constexpr int kDiscountButton = 24;
constexpr int kLastButton = presetkey::kKeysPerLayer - 1;
constexpr const char* kErrorSuffix = "error";
constexpr const char* kSecondOut = "trf1.out";
}  // namespace

void PresetKeyEditor::open() {
    LoadedTable<PresetKeys> loaded = presetKeyRoundTrip(TableForm::Dialog).load();
    keys_ = std::move(loaded.rows);
    layer_ = KeyLayer::Up;
    currentKey_ = 0;
    known_ = readKnownNumbers({ReferredTable::Plu});
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning, tablefile::kDamagedMeaning);
    }
}

int PresetKeyEditor::keyOfButton(int button) const {
    return button + 1 + (layer_ == KeyLayer::Down ? presetkey::kKeysPerLayer : 0);
}

std::array<KeyFace, presetkey::kKeysPerLayer> PresetKeyEditor::faces() const {
    std::array<KeyFace, presetkey::kKeysPerLayer> faces;
    for (int b = 0; b < presetkey::kKeysPerLayer; ++b) {
        faces[static_cast<std::size_t>(b)] = {
            "P" + keys_.plu[static_cast<std::size_t>(keyOfButton(b) - 1)], true};
    }
    if (keys_.discount) {
        faces[kDiscountButton] = {"S", false};
    }
    // The last N - 1 buttons are the operator keys V.2, V.3, ... from the right.
    for (int v = 2; v <= keys_.operatorKeys && v <= presetkey::kMaxReceivedOperatorKeys; ++v) {
        faces[static_cast<std::size_t>(kLastButton - (v - 2))] = {"V." + std::to_string(v), false};
    }
    return faces;
}

const char* PresetKeyEditor::layerCaption() const {
    return layer_ == KeyLayer::Up ? "Up Layer" : "Down Layer";
}

void PresetKeyEditor::clickKey(int button) {
    if (button >= 0 && button < presetkey::kKeysPerLayer) {
        currentKey_ = keyOfButton(button);
    }
}

void PresetKeyEditor::add(const std::string& entry) {
    if (currentKey_ >= 1 && currentKey_ <= presetkey::kLayerKeys) {
        keys_.plu[static_cast<std::size_t>(currentKey_ - 1)] = entry;
    }
    currentKey_ = 0;
}

void PresetKeyEditor::toggleLayer() {
    layer_ = layer_ == KeyLayer::Up ? KeyLayer::Down : KeyLayer::Up;
}

void PresetKeyEditor::setOperatorKeys(int n) {
    if (n >= presetkey::kMinOperatorKeys && n <= presetkey::kMaxReceivedOperatorKeys) {
        keys_.operatorKeys = n;
    }
}

void PresetKeyEditor::setDiscount(bool on) {
    keys_.discount = on;
    if (on) {
        keys_.discountNumber = "1";
    }
}

bool PresetKeyEditor::checkDiscountNumber() const {
    const int number = intValue(keys_.discountNumber);
    if (keys_.discount && (number < 1 || number > 9)) {
        tell(kDiscountNumberMessage);
        return false;
    }
    return true;
}

bool PresetKeyEditor::save() const {
    if (!checkDiscountNumber()) {
        return false;
    }
    const FileProblem problem = presetKeyRoundTrip(TableForm::Dialog).save(keys_);
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error, tablefile::kUnsavedMeaning);
        return false;
    }
    return true;
}

std::vector<std::string> PresetKeyEditor::referenceProblems() const {
    return danglingReferences(presetKeyReferences(keys_), known_);
}

void PresetKeyEditor::send() const {
    if (!checkDiscountNumber() || !confirmSendDespite(referenceProblems())) {
        return;
    }
    sendTable(presetKeyRoundTrip(TableForm::Dialog), keys_,
              TransferRequest{presetrecord::kTransferMessage, false}, AnswerCheck{kErrorSuffix});
}

void PresetKeyEditor::receive() {
    // The request also leaves an empty trf1.out.
    if (const FileProblem problem = writeTransferLines(kSecondOut, {}); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
        return;
    }
    receiveTable(presetKeyRoundTrip(TableForm::Dialog), keys_,
                 TransferRequest{presetrecord::kTransferMessage, true}, AnswerCheck{kErrorSuffix});
}

}  // namespace vorn
