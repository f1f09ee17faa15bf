#include "comm/TransferRunner.h"

#include <fstream>

namespace vorn {

namespace {
class UnconnectedRunner : public TransferRunner {
public:
    void run(const TransferRequest&) override { std::ofstream("trf.in", std::ios::trunc); }
};
UnconnectedRunner& unconnected() {
    static UnconnectedRunner r;
    return r;
}
TransferRunner* installed = nullptr;
}  // namespace

TransferRunner& transferRunner() {
    return installed ? *installed : unconnected();
}

TransferRunner* installTransferRunner(TransferRunner* r) {
    TransferRunner* previous = installed;
    installed = r;
    return previous;
}

}  // namespace vorn
