#pragma once
// The preset key editor without a window: the keys of both layers, the layer shown, the key
// that "Add" assigns, the faces of the 28 buttons with the operator and discount overlays, and
// the operations of the dialog's controls. The dialog shows what this says and calls one
// operation per control.

#include <array>
#include <string>
#include <vector>

#include "editors/kit/TableReferences.h"
#include "tables/KeyFile.h"

namespace vorn {

// What one of the 28 buttons shows.
struct KeyFace {
    std::string caption;
    bool enabled = true;
    bool operator==(const KeyFace&) const = default;
};

enum class KeyLayer { Up, Down };

class PresetKeyEditor {
public:
    static constexpr const char* kDiscountNumberMessage = "the Discout number is from 1 to 9";

    PresetKeys& keys() { return keys_; }
    const PresetKeys& keys() const { return keys_; }
    KeyLayer layer() const { return layer_; }
    // The key that "Add" assigns; 0 while no key button has been clicked.
    int currentKey() const { return currentKey_; }

    // Open: key.dat, or the defaults when it is missing; a damaged file is told.
    void open();

    // The faces of buttons 0 to 27 (four columns, seven rows, row by row) on the shown layer.
    std::array<KeyFace, presetkey::kKeysPerLayer> faces() const;
    // The key number that button b (0 to 27) shows on the shown layer.
    int keyOfButton(int button) const;
    // The caption of the layer button: the layer shown.
    const char* layerCaption() const;

    // A key button was clicked: its key becomes the one "Add" assigns.
    void clickKey(int button);
    // "Add": the entry's text becomes the current key's PLU number (the empty text clears it).
    void add(const std::string& entry);
    void toggleLayer();
    void setOperatorKeys(int n);
    // "Discount" clicked: turning it on sets the discount number to "1".
    void setDiscount(bool on);

    // True when the discount is off or its number is 1 to 9; otherwise tells the user.
    bool checkDiscountNumber() const;
    // OK: checks the discount number and writes key.dat; false when the dialog stays open.
    bool save() const;
    // The keys that name a PLU which the PLU file (as it was when the editor opened) does not
    // have, in words.
    std::vector<std::string> referenceProblems() const;
    // PC->Sc: checks the discount number and, asking, the keys' PLUs; writes the keyboard and
    // preset records and runs the transfer.
    void send() const;
    // Sc->PC: requests both tables and takes the answer into the keys.
    void receive();

private:
    PresetKeys keys_;
    KeyLayer layer_ = KeyLayer::Up;
    int currentKey_ = 0;
    KnownNumbers known_;
};

}  // namespace vorn
