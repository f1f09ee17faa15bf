#include "platform/Prompter.h"

#include <cstdio>

namespace vorn {

namespace {
StderrPrompter& stderrPrompter() {
    static StderrPrompter p;
    return p;
}
Prompter* installed = nullptr;
}  // namespace

Prompter& prompter() {
    return installed ? *installed : stderrPrompter();
}

Prompter* installPrompter(Prompter* p) {
    Prompter* previous = installed;
    installed = p;
    return previous;
}

void tell(const std::string& text, PromptIcon icon, const std::string& detail) {
    prompter().ask(Prompt{text, PromptButtons::Ok, icon, std::nullopt, detail});
}

bool confirm(const std::string& text, PromptIcon icon) {
    return prompter().ask(Prompt{text, PromptButtons::OkCancel, icon, std::nullopt}) ==
           PromptAnswer::Ok;
}

bool confirmIrreversible(const std::string& text, PromptIcon icon) {
    Prompt prompt{text, PromptButtons::OkCancel, icon, std::nullopt};
    prompt.cancelIsDefault = true;
    return prompter().ask(prompt) == PromptAnswer::Ok;
}

PromptAnswer askToSave(const std::string& text) {
    return prompter().ask(
        Prompt{text, PromptButtons::SaveDiscardCancel, PromptIcon::Question, std::nullopt});
}

PromptAnswer StderrPrompter::ask(const Prompt& prompt) {
    const std::string caption = prompt.caption.value_or(kApplicationTitle);
    if (caption.empty()) {
        std::fprintf(stderr, "%s\n", prompt.text.c_str());
    } else {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), prompt.text.c_str());
    }
    if (!prompt.detail.empty()) {
        std::fprintf(stderr, "%s\n", prompt.detail.c_str());
    }
    return PromptAnswer::Ok;
}

std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace vorn
