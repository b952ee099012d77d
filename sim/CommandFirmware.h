#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "sim/FirmwareConfig.h"
#include "sim/FirmwareFaults.h"
#include "sim/ImageArea.h"

namespace sim {

// Everything the firmware keeps; tests read a copy and may edit it in place.
struct FirmwareMemory {
    std::array<std::uint8_t, 34> deviceInfo{};
    std::vector<std::uint8_t> keyTable;
    std::vector<std::uint8_t> keyBytes;
    std::vector<std::uint8_t> keyColours;
    std::vector<std::uint8_t> liveColours;
    std::vector<std::uint8_t> settings;
    ImageArea macros{0, 0};
    ImageArea shoot{0, 4};
    std::array<std::uint8_t, 6> status{};
    bool receiverLinkUp = true;
    bool liveLight = false;
    bool sessionOpen = false;
    unsigned sessionsBegun = 0;
    unsigned sessionsEnded = 0;
};

// The command side of an emulated device, without any transport: it takes one output report,
// carries the command out on its memory areas and says which replies go back and when.
// Thread-safe: the transport calls it from its own thread while tests inspect it.
class CommandFirmware {
public:
    static constexpr std::size_t kLogCapacity = 4096;
    static constexpr std::size_t kProblemCapacity = 4096;  // later problems are not kept

    explicit CommandFirmware(const FirmwareConfig& config);

    void HandleRequest(const std::uint8_t* report, std::size_t length, ReplyPlan& plan);

    void InjectFault(const Fault& fault);
    void ClearFaults();
    void SetLatencyMicros(std::uint32_t micros);

    FirmwareMemory Memory() const;
    void EditMemory(const std::function<void(FirmwareMemory&)>& edit);

    // The most recent requests (up to kLogCapacity), oldest first; optionally of one command.
    std::vector<FrameBytes> ReceivedFrames() const;
    std::vector<FrameBytes> ReceivedFrames(std::uint8_t command) const;
    std::uint64_t ReceivedCount() const;
    std::vector<DetectedProblem> Problems() const;
    void ClearLog();

private:
    // Carries out a well-formed request; returns the reply status.
    std::uint8_t Execute(const std::uint8_t* request, std::uint8_t* reply);
    std::uint8_t ReadArea(const std::uint8_t* source, std::size_t size, const std::uint8_t* request,
                          std::uint8_t* reply);
    std::uint8_t WriteArea(std::uint8_t* target, std::size_t size, const std::uint8_t* request);
    std::uint8_t WriteImage(ImageArea& area, const std::uint8_t* request);
    std::uint8_t Problem(FrameProblem problem, const std::uint8_t* request);
    const Fault* TakeFault(std::uint8_t command);
    void LogRequest(const std::uint8_t* report, std::size_t length);

    mutable std::mutex mutex_;
    FirmwareMemory memory_;
    std::uint32_t latencyMicros_;
    std::vector<Fault> faults_;
    Fault activeFault_;
    std::vector<FrameBytes> log_;
    std::size_t logHead_ = 0;
    std::uint64_t received_ = 0;
    std::vector<DetectedProblem> problems_;
};

}  // namespace sim
