#include "cli/Report.h"

#include <nlohmann/json.hpp>

#include "cli/Commands.h"

namespace vornctl {

namespace {

const char* resultName(int exitStatus) {
    switch (exitStatus) {
        case kSucceeded:
            return "succeeded";
        case kFailed:
            return "failed";
        default:
            return "unusable";
    }
}

const char* outcomeName(vorn::CategoryVerdict verdict) {
    switch (verdict) {
        case vorn::CategoryVerdict::Succeeded:
            return "succeeded";
        case vorn::CategoryVerdict::Failed:
            return "failed";
        case vorn::CategoryVerdict::Skipped:
            break;
    }
    return "skipped";
}

}  // namespace

std::string jsonReport(const RunReport& report) {
    using Json = nlohmann::ordered_json;
    Json json{
        {"command", report.command},
        {"device", report.device},
        {"exitStatus", report.exitStatus},
        {"result", resultName(report.exitStatus)},
        {"seconds", static_cast<double>(static_cast<long long>(report.seconds * 1000)) / 1000},
    };
    if (report.command == "test") {
        json["text"] = report.text;
        json["detail"] = report.detail;
    } else {
        Json categories = Json::array();
        for (const vorn::CategoryReport& c : report.categories) {
            categories.push_back({{"name", c.name},
                                  {"outcome", outcomeName(c.verdict)},
                                  {"records", c.records},
                                  {"detail", c.detail}});
        }
        json["categories"] = std::move(categories);
    }
    json["messages"] = report.messages;
    // Text from a file or the line that is not UTF-8 is replaced, never a reason to fail.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

vorn::PromptAnswer RecordingPrompter::ask(const vorn::Prompt& prompt) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(prompt.detail.empty() ? prompt.text
                                                  : prompt.text + ": " + prompt.detail);
    }
    return StderrPrompter::ask(prompt);
}

std::vector<std::string> RecordingPrompter::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

}  // namespace vornctl
