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
        } else if (a == "--after") {
            ok = count(o.faults.after);
        } else if (a == "--cut") {
            ok = count(o.faults.cut);
        } else if (a == "--bad-status") {
            ok = count(o.faults.badStatus);
        } else if (a == "--line-feed") {
            ok = count(o.faults.lineFeed);
        } else if (a == "--headless") {
            ok = count(o.faults.headless);
        } else if (a == "--repeat") {
            ok = count(o.faults.repeat);
        } else if (a == "--stale") {
            ok = count(o.faults.stale);
        } else if (a == "--no-answer") {
            ok = count(o.faults.noAnswer);
        } else if (a == "--stop-after") {
            ok = count(o.faults.stopAfter);
        } else if (a == "--endless") {
            std::string kind;
            ok = text(kind) && (kind == "etb" || kind == "busy");
            if (ok) {
                o.faults.endless = kind == "etb" ? Endless::Etb : Endless::Busy;
            } else {
                error = "--endless needs etb or busy";
            }
        } else if (a == "--answer-table" || a == "--reverse") {
            std::string& code = a == "--reverse" ? o.faults.reverseTable : o.faults.answerTable;
            ok = text(code) && code.size() == 2;
            if (!ok) {
                error = a + " needs a table code of two digits";
            }
        } else if (a == "--whole-table") {
            o.faults.wholeTable = true;
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
