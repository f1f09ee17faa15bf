#pragma once
// A prompter for tests: records every prompt and answers from a script (OK when it runs out).
// Installed for the lifetime of the object.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace vorn::test {

class RecordingPrompter : public Prompter {
public:
    RecordingPrompter() : previous_(installPrompter(this)) {}
    ~RecordingPrompter() override { installPrompter(previous_); }
    RecordingPrompter(const RecordingPrompter&) = delete;
    RecordingPrompter& operator=(const RecordingPrompter&) = delete;

    PromptAnswer ask(const Prompt& prompt) override {
        std::lock_guard lock(mutex_);
        prompts_.push_back(prompt);
        if (answers_.empty()) {
            return PromptAnswer::Ok;
        }
        const PromptAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }

    void answerNext(PromptAnswer a) {
        std::lock_guard lock(mutex_);
        answers_.push_back(a);
    }

    std::vector<std::string> texts() const {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& p : prompts_) {
            out.push_back(p.text);
        }
        return out;
    }
    std::vector<Prompt> prompts() const {
        std::lock_guard lock(mutex_);
        return prompts_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        prompts_.clear();
    }

private:
    Prompter* previous_;
    mutable std::mutex mutex_;
    std::vector<Prompt> prompts_;
    std::deque<PromptAnswer> answers_;
};

}  // namespace vorn::test
