#pragma once
// Every message box and OK/Cancel question of the program goes through the installed Prompter.
// The program shows a QMessageBox on the user-interface thread, vornctl prints to stderr, and a
// test records the texts and scripts the answers.

#include <optional>
#include <string>

namespace vorn {

enum class PromptIcon { None, Error, Warning, Information, Question };
// SaveDiscardCancel: "Save" answers Ok, "Discard" Discard.
enum class PromptButtons { Ok, OkCancel, SaveDiscardCancel };
enum class PromptAnswer { Ok, Cancel, Discard };

struct Prompt {
    std::string text;  // UTF-8; single-byte text from files or the line goes through latin1ToUtf8
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
    // No value: the application title "vorn". An empty string: an empty caption.
    std::optional<std::string> caption;
    // UTF-8; shown under the text, e.g. what went wrong and what the user can do about it.
    std::string detail = {};
    // Cancel, not OK, is what Enter chooses: the question is about something that cannot be
    // undone.
    bool cancelIsDefault = false;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows the prompt and returns the answer; may be called from the transfer worker thread.
    virtual PromptAnswer ask(const Prompt& prompt) = 0;
};

// The installed prompter; prints to stderr and answers OK when none is installed.
Prompter& prompter();
// Installs p (not owned); nullptr restores the stderr prompter. Returns the previous one.
Prompter* installPrompter(Prompter* p);

// An OK box with the application title as caption, and the detail under the text.
void tell(const std::string& text, PromptIcon icon = PromptIcon::None,
          const std::string& detail = {});
// An OK/Cancel question with the application title; true when OK was chosen.
bool confirm(const std::string& text, PromptIcon icon = PromptIcon::Warning);
// The same question about something that cannot be undone: Cancel is the default.
bool confirmIrreversible(const std::string& text, PromptIcon icon = PromptIcon::Warning);
// Save, Discard or Cancel, Save the default.
PromptAnswer askToSave(const std::string& text);

// Prints "caption: text" to stderr, and the detail on the next line; answers OK. vornctl's
// prompter.
class StderrPrompter : public Prompter {
public:
    PromptAnswer ask(const Prompt& prompt) override;
};

// The application title used as the default caption.
inline constexpr const char* kApplicationTitle = "vorn";

// Single-byte text (as stored and sent) to UTF-8 for display, byte for byte as Latin-1.
std::string latin1ToUtf8(const std::string& text);

}  // namespace vorn
