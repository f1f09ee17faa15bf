#pragma once
// vornctl's --report json: one JSON object on standard output at the end of send, receive or
// test, for the tools that watch the pushes (Ansible, cron mail, monitoring):
//   command      "send", "receive" or "test"
//   device       the device or device server address used
//   exitStatus   0, 1 or 2, as the exit status
//   result       "succeeded", "failed" or "unusable" (the port could not be opened, or the
//                command line was wrong)
//   seconds      the time taken
//   categories   send and receive: one object per category, in batch order: name, outcome
//                ("succeeded", "failed" or "skipped"), records (sent, or received), detail
//   text, detail test: the verdict ("The scale answered." or what went wrong) and its detail
//   messages     every message vornctl showed on standard error as a box would (why the port
//                could not be opened, a connection that was lost), in order

#include <mutex>
#include <string>
#include <vector>

#include "batch/BatchCommand.h"
#include "platform/Prompter.h"

namespace vornctl {

struct RunReport {
    std::string command;
    std::string device;
    int exitStatus = 0;
    double seconds = 0;
    std::vector<vorn::CategoryReport> categories;
    std::string text;
    std::string detail;
    std::vector<std::string> messages;
};

std::string jsonReport(const RunReport& report);

// The stderr prompter, which also keeps every message it showed ("text: detail").
class RecordingPrompter : public vorn::StderrPrompter {
public:
    vorn::PromptAnswer ask(const vorn::Prompt& prompt) override;
    std::vector<std::string> messages() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
};

}  // namespace vornctl
