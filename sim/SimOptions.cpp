#include "sim/SimOptions.h"

#include <charconv>

namespace vornsim {

namespace {
bool toCount(const std::string& text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}
}  // namespace

std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto text = [&](std::string& into) {
            if (!hasValue) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        auto count = [&](int& into) {
            if (!hasValue || !toCount(args[i + 1], into)) {
                error = a + " needs a number";
                return false;
            }
            ++i;
            return true;
        };
        bool ok = true;
        if (a == "--link") {
            ok = text(o.link);
        } else if (a == "--tcp") {
            ok = count(o.tcpPort) && o.tcpPort >= 1 && o.tcpPort <= 65535;
            if (!ok) {
                error = "--tcp needs a port number from 1 to 65535";
            }
        } else if (a == "--line-report") {
            ok = text(o.lineReport);
        } else if (a == "--seed") {
            ok = text(o.seed);
        } else if (a == "--dump") {
            ok = text(o.dump);
        } else if (a == "--baud") {
            ok = count(o.baud);
        } else if (a == "--nak") {
            ok = count(o.faults.nak);
        } else if (a == "--bad-bcc") {
            ok = count(o.faults.badCheck);
        } else if (a == "--busy") {
            ok = count(o.faults.busy);
        } else if (a == "--no-ack") {
            ok = count(o.faults.noAck);
        } else if (a == "--silent") {
            o.faults.silent = true;
        } else if (a == "--pace") {
            o.faults.pace = true;
        } else {
            error = "unknown option " + a;
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    if (o.link.empty() == (o.tcpPort == 0)) {
        error = "either --link PATH or --tcp PORT is required";
        return std::nullopt;
    }
    return o;
}

}  // namespace vornsim
