#pragma once
// The document of the single-document frame. It holds no data: a new document always succeeds,
// and storing or loading does nothing.

namespace vorn {

class CQuelDoc {
public:
    bool onNewDocument() { return true; }
    // The document's name in the title: empty.
    const char* title() const { return ""; }
};

}  // namespace vorn
