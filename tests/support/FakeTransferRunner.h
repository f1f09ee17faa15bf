#pragma once
// A transfer runner for editor tests: captures every trf.out and request, and hands back a
// prepared trf.in (or none at all). Installed for the lifetime of the object.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "comm/TransferRunner.h"
#include "tests/support/TempDir.h"

namespace vorn::test {

class FakeTransferRunner : public TransferRunner {
public:
    FakeTransferRunner() : previous_(installTransferRunner(this)) {}
    ~FakeTransferRunner() override { installTransferRunner(previous_); }
    FakeTransferRunner(const FakeTransferRunner&) = delete;
    FakeTransferRunner& operator=(const FakeTransferRunner&) = delete;

    // The bytes of trf.in after every following run; no value: trf.in is removed.
    void answerWith(std::optional<std::string> trfIn) { answer_ = std::move(trfIn); }

    void run(const TransferRequest& request) override {
        requests.push_back(request);
        trfOuts.push_back(readFile("trf.out"));
        if (answer_) {
            writeFile("trf.in", *answer_);
        } else {
            std::remove("trf.in");
        }
    }

    std::vector<TransferRequest> requests;
    std::vector<std::string> trfOuts;

private:
    TransferRunner* previous_;
    std::optional<std::string> answer_ = std::string("1002\r\n");
};

}  // namespace vorn::test
