#include "sim/FaultSwitch.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <set>

#include "protocol/FrameLayout.h"

namespace sim {
namespace {

bool ParseRate(std::string_view value, double& out) {
    // from_chars for double: no locale, no leading '+' or spaces, the whole value.
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), out);
    return ec == std::errc{} && end == value.data() + value.size() && std::isfinite(out) &&
           out >= 0 && out <= 1;
}

template <typename Number>
bool ParseCount(std::string_view value, Number& out) {
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), out);
    return ec == std::errc{} && end == value.data() + value.size() && !value.empty();
}

}  // namespace

bool ParseFaultRates(std::string_view text, FaultRates& out, std::string& error) {
    FaultRates rates;
    std::set<std::string_view> seen;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (comma != std::string_view::npos && text.empty()) {
            error = "a fault is missing after the last ','";
            return false;
        }
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            error = "\"" + std::string(item) + "\" is not key=value";
            return false;
        }
        const std::string_view key = item.substr(0, equals);
        const std::string_view value = item.substr(equals + 1);
        if (!seen.insert(key).second) {
            error = std::string(key) + " is given twice";
            return false;
        }
        bool ok = false;
        const char* needs = "a rate from 0 to 1";
        if (key == "drop") {
            ok = ParseRate(value, rates.drop);
        } else if (key == "garbage") {
            ok = ParseRate(value, rates.garbage);
        } else if (key == "stale") {
            ok = ParseRate(value, rates.stale);
        } else if (key == "unplug-after") {
            needs = "a number of requests from 1, or a range of them (20-120)";
            const std::size_t dash = value.find('-');
            ok = ParseCount(value.substr(0, dash), rates.unplugAfter) && rates.unplugAfter > 0;
            rates.unplugAfterMost = rates.unplugAfter;
            if (ok && dash != std::string_view::npos) {
                ok = ParseCount(value.substr(dash + 1), rates.unplugAfterMost) &&
                     rates.unplugAfterMost >= rates.unplugAfter;
            }
        } else if (key == "replug-after") {
            needs = "a number of milliseconds up to 600000";
            ok = ParseCount(value, rates.replugAfterMs) && rates.replugAfterMs <= 600000;
        } else if (key == "seed") {
            needs = "a whole number";
            ok = ParseCount(value, rates.seed);
        } else {
            error = "unknown fault \"" + std::string(key) +
                    "\" (known: drop, garbage, stale, unplug-after, replug-after, seed)";
            return false;
        }
        if (!ok) {
            error = std::string(key) + " needs " + needs + ", not \"" + std::string(value) + "\"";
            return false;
        }
    }
    if (rates.drop + rates.garbage + rates.stale > 1.0 + 1e-9) {
        error = "drop, garbage and stale add up to more than 1";
        return false;
    }
    if (rates.replugAfterMs > 0 && rates.unplugAfter == 0) {
        error = "replug-after needs unplug-after";
        return false;
    }
    out = rates;
    return true;
}

bool FaultRatesFromEnvironment(FaultRates& out, std::string& error) {
    const char* value = std::getenv(kFaultSwitchVariable);
    out = FaultRates{};
    if (value == nullptr) {
        return true;
    }
    if (!ParseFaultRates(value, out, error)) {
        error = std::string(kFaultSwitchVariable) + ": " + error;
        return false;
    }
    return true;
}

CFaultSwitch::CFaultSwitch(const FaultRates& rates) : rates_(rates), random_(rates.seed) {
    DrawUnplugPoint();
}

void CFaultSwitch::DrawUnplugPoint() {
    unplugAt_ = rates_.unplugAfter == 0
                    ? 0
                    : std::uniform_int_distribution<unsigned>(
                          rates_.unplugAfter,
                          std::max(rates_.unplugAfter, rates_.unplugAfterMost))(random_);
}

std::optional<Fault> CFaultSwitch::Next() {
    std::lock_guard lock(mutex_);
    ++requests_;
    Fault fault;
    fault.times = 1;
    if (unplugAt_ > 0 && requests_ >= unplugAt_) {
        requests_ = 0;
        DrawUnplugPoint();
        fault.kind = FaultKind::Unplug;
        return fault;
    }
    const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    if (roll < rates_.drop) {
        fault.kind = FaultKind::NoReply;
        return fault;
    }
    if (roll < rates_.drop + rates_.garbage) {
        fault.kind = FaultKind::Garbage;
        for (std::uint8_t& byte : fault.garbage) {
            byte = static_cast<std::uint8_t>(random_());
        }
        // Garbage the host files as a reply: the command report id, and half the time a
        // checksum that holds, so that more than the checksum test is needed to refuse it.
        fault.garbage[protocol::kOffsetReportId] = protocol::kReportId;
        if ((random_() & 1) != 0) {
            protocol::SealFrame(fault.garbage.data());
        }
        return fault;
    }
    if (roll < rates_.drop + rates_.garbage + rates_.stale) {
        fault.kind = FaultKind::StaleReplies;
        fault.staleCount = 1;
        return fault;
    }
    return std::nullopt;
}

void CFaultSwitch::Replugged() {
    std::lock_guard lock(mutex_);
    requests_ = 0;
    DrawUnplugPoint();
}

}  // namespace sim
