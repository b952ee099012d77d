#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "sim/FirmwareFaults.h"

// Faults at random for whole-program runs of the emulator (--simulate): the environment
// variable below makes the emulated devices misbehave at given rates.
namespace sim {

inline constexpr const char* kFaultSwitchVariable = "ZORVATH_SIM_FAULTS";

struct FaultRates {
    double drop = 0;     // share of requests whose reply is lost
    double garbage = 0;  // share answered with random bytes
    double stale = 0;    // share answered first with a reply of another command
    // The device unplugs while taking its Nth request, N drawn from unplugAfter to
    // unplugAfterMost anew each time it is plugged in; 0: never.
    unsigned unplugAfter = 0;
    unsigned unplugAfterMost = 0;
    unsigned replugAfterMs = 0;  // and comes back this long after; 0: stays away
    std::uint64_t seed = 1;

    bool Any() const { return drop > 0 || garbage > 0 || stale > 0 || unplugAfter > 0; }
};

// "drop=0.05,garbage=0.02,stale=0.02,unplug-after=200,replug-after=500,seed=7": every key at
// most once, in any order; rates from 0 to 1 adding up to at most 1; unplug-after also takes a
// range ("20-120"). An empty text means no faults. False with a message naming the fault in
// error.
bool ParseFaultRates(std::string_view text, FaultRates& out, std::string& error);

// The rates of kFaultSwitchVariable; no faults when it is unset. False with a message when its
// value is bad.
bool FaultRatesFromEnvironment(FaultRates& out, std::string& error);

// Picks the fault, if any, of each command request an emulated device receives. Thread-safe.
class CFaultSwitch {
public:
    explicit CFaultSwitch(const FaultRates& rates);

    // The fault for the next request (a one-time Fault for CommandFirmware::InjectFault).
    std::optional<Fault> Next();
    // The device is plugged in again: the requests until the next unplug count from zero.
    void Replugged();

    const FaultRates& Rates() const { return rates_; }

private:
    FaultRates rates_;
    std::mutex mutex_;
    void DrawUnplugPoint();

    std::mt19937_64 random_;
    unsigned requests_ = 0;
    unsigned unplugAt_ = 0;
};

}  // namespace sim
