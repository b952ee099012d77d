#include "hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace hid {

namespace {

constexpr int kMaxNesting = 32;
constexpr int kMaxPushDepth = 16;
constexpr std::size_t kMaxLocalUsages = 1024;

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A usage as written: 4-byte usages carry their page, shorter ones take the page in force at
// the main item.
struct LocalUsage {
    std::uint32_t min = 0;
    std::uint32_t max = 0;
    bool extendedMin = false;
    bool extendedMax = false;
};

struct LocalState {
    std::vector<LocalUsage> usages;
    bool haveMin = false;
    std::uint32_t pendingMin = 0;
    bool pendingMinExtended = false;

    void Clear() {
        usages.clear();
        haveMin = false;
        pendingMin = 0;
        pendingMinExtended = false;
    }
};

class Parser {
public:
    Parser(std::span<const std::uint8_t> bytes, ReportDescriptorInfo& out, std::string& error)
        : bytes_(bytes), out_(out), error_(error) {}

    bool Run();

private:
    bool Fail(const std::string& why) {
        error_ = why + " at byte " + std::to_string(position_);
        return false;
    }
    bool MainItem(std::uint8_t tag, std::uint32_t data);
    bool GlobalItem(std::uint8_t tag, std::uint32_t data, std::uint8_t size);
    bool LocalItem(std::uint8_t tag, std::uint32_t data, std::uint8_t size);
    bool AddField(ReportType type, std::uint32_t flags);
    UsageRange Resolve(const LocalUsage& usage) const;

    std::span<const std::uint8_t> bytes_;
    ReportDescriptorInfo& out_;
    std::string& error_;
    std::size_t position_ = 0;

    GlobalState global_;
    std::vector<GlobalState> pushed_;
    LocalState local_;
    int depth_ = 0;
    TopLevelCollection* current_ = nullptr;  // open top-level collection
    std::uint16_t currentLink_ = 0;
    std::vector<std::uint16_t> linkStack_;
    // Bits used so far per (report type, report id), across the whole descriptor.
    std::map<std::pair<int, int>, std::uint32_t> reportBits_;
    // Which top-level collection each (type, id) report belongs to.
    std::map<std::pair<int, int>, std::size_t> reportOwner_;
};

std::int32_t SignExtend(std::uint32_t data, std::uint8_t size) {
    switch (size) {
        case 1:
            return static_cast<std::int8_t>(data);
        case 2:
            return static_cast<std::int16_t>(data);
        default:
            return static_cast<std::int32_t>(data);
    }
}

bool Parser::Run() {
    if (bytes_.empty()) {
        return Fail("empty descriptor");
    }
    if (bytes_.size() > kMaxDescriptorSize) {
        return Fail("descriptor longer than 4096 bytes");
    }
    while (position_ < bytes_.size()) {
        std::uint8_t prefix = bytes_[position_];
        if (prefix == 0xFE) {  // long item: skipped, but it must fit
            if (position_ + 3 > bytes_.size()) {
                return Fail("truncated long item");
            }
            std::size_t length = bytes_[position_ + 1];
            if (position_ + 3 + length > bytes_.size()) {
                return Fail("truncated long item");
            }
            position_ += 3 + length;
            continue;
        }
        std::uint8_t size = prefix & 0x03;
        if (size == 3) {
            size = 4;
        }
        std::uint8_t type = (prefix >> 2) & 0x03;
        std::uint8_t tag = prefix >> 4;
        if (position_ + 1 + size > bytes_.size()) {
            return Fail("truncated item");
        }
        std::uint32_t data = 0;
        for (std::uint8_t i = 0; i < size; ++i) {
            data |= static_cast<std::uint32_t>(bytes_[position_ + 1 + i]) << (8 * i);
        }
        bool ok = true;
        switch (type) {
            case 0:
                ok = MainItem(tag, data);
                break;
            case 1:
                ok = GlobalItem(tag, data, size);
                break;
            case 2:
                ok = LocalItem(tag, data, size);
                break;
            default:
                return Fail("reserved item type");
        }
        if (!ok) {
            return false;
        }
        position_ += 1 + size;
    }
    if (depth_ != 0) {
        return Fail("collection not closed");
    }
    if (out_.collections.empty()) {
        return Fail("no top-level collection");
    }
    for (const auto& [key, bits] : reportBits_) {
        auto owner = reportOwner_.find(key);
        if (owner == reportOwner_.end()) {
            continue;
        }
        // Plus the report id byte, which is 0 on devices without report ids.
        std::uint32_t bytes = (bits + 7) / 8 + 1;
        if (bytes > kMaxReportBytes) {
            return Fail("report longer than 4096 bytes");
        }
        std::uint16_t& length = out_.collections[owner->second].reportByteLength[key.first];
        length = std::max<std::uint16_t>(length, static_cast<std::uint16_t>(bytes));
    }
    return true;
}

bool Parser::MainItem(std::uint8_t tag, std::uint32_t data) {
    bool ok = true;
    switch (tag) {
        case 0x8:
            ok = AddField(ReportType::Input, data);
            break;
        case 0x9:
            ok = AddField(ReportType::Output, data);
            break;
        case 0xB:
            ok = AddField(ReportType::Feature, data);
            break;
        case 0xA: {  // Collection
            if (depth_ >= kMaxNesting) {
                return Fail("collections nested too deeply");
            }
            UsageRange usage;
            if (!local_.usages.empty()) {
                usage = Resolve(local_.usages.front());
            }
            if (depth_ == 0) {
                TopLevelCollection collection;
                collection.usagePage = usage.usagePage;
                collection.usage = usage.usageMin;
                out_.collections.push_back(std::move(collection));
                current_ = &out_.collections.back();
                currentLink_ = 0;
                linkStack_.clear();
            } else if (current_ != nullptr) {
                linkStack_.push_back(currentLink_);
                currentLink_ = current_->linkCollectionCount++;
            }
            ++depth_;
            break;
        }
        case 0xC:  // End Collection
            if (depth_ == 0) {
                return Fail("end collection without collection");
            }
            --depth_;
            if (depth_ == 0) {
                current_ = nullptr;
            } else if (!linkStack_.empty()) {
                currentLink_ = linkStack_.back();
                linkStack_.pop_back();
            }
            break;
        default:
            return Fail("unknown main item");
    }
    local_.Clear();
    return ok;
}

bool Parser::GlobalItem(std::uint8_t tag, std::uint32_t data, std::uint8_t size) {
    switch (tag) {
        case 0x0:
            global_.usagePage = static_cast<std::uint16_t>(data);
            break;
        case 0x1:
            global_.logicalMin = SignExtend(data, size);
            break;
        case 0x2:
            global_.logicalMax = SignExtend(data, size);
            break;
        case 0x3:
            global_.physicalMin = SignExtend(data, size);
            break;
        case 0x4:
            global_.physicalMax = SignExtend(data, size);
            break;
        case 0x5:  // unit exponent
        case 0x6:  // unit
            break;
        case 0x7:
            if (data == 0 || data > 32 * 1024) {
                return Fail("bad report size");
            }
            global_.reportSize = data;
            break;
        case 0x8:
            if (data == 0 || data > 0xFF) {
                return Fail("bad report id");
            }
            global_.reportId = static_cast<std::uint8_t>(data);
            out_.usesReportIds = true;
            break;
        case 0x9:
            if (data > 32 * 1024) {
                return Fail("bad report count");
            }
            global_.reportCount = data;
            break;
        case 0xA:
            if (pushed_.size() >= static_cast<std::size_t>(kMaxPushDepth)) {
                return Fail("push stack overflow");
            }
            pushed_.push_back(global_);
            break;
        case 0xB:
            if (pushed_.empty()) {
                return Fail("pop without push");
            }
            global_ = pushed_.back();
            pushed_.pop_back();
            break;
        default:
            return Fail("unknown global item");
    }
    return true;
}

bool Parser::LocalItem(std::uint8_t tag, std::uint32_t data, std::uint8_t size) {
    if ((tag == 0x0 || tag == 0x2) && local_.usages.size() >= kMaxLocalUsages) {
        return Fail("too many usages");
    }
    switch (tag) {
        case 0x0:  // Usage
            local_.usages.push_back({data, data, size == 4, size == 4});
            break;
        case 0x1:  // Usage Minimum
            local_.haveMin = true;
            local_.pendingMin = data;
            local_.pendingMinExtended = size == 4;
            break;
        case 0x2: {  // Usage Maximum
            if (!local_.haveMin) {
                return Fail("usage maximum without minimum");
            }
            LocalUsage range{local_.pendingMin, data, local_.pendingMinExtended, size == 4};
            if ((range.max & 0xFFFF) < (range.min & 0xFFFF)) {
                return Fail("usage maximum below minimum");
            }
            local_.usages.push_back(range);
            local_.haveMin = false;
            break;
        }
        default:  // designators, strings, delimiters: nothing we decode
            break;
    }
    return true;
}

UsageRange Parser::Resolve(const LocalUsage& usage) const {
    UsageRange range;
    range.usagePage =
        usage.extendedMin ? static_cast<std::uint16_t>(usage.min >> 16) : global_.usagePage;
    range.usageMin = static_cast<std::uint16_t>(usage.min & 0xFFFF);
    range.usageMax = static_cast<std::uint16_t>(usage.max & 0xFFFF);
    return range;
}

bool Parser::AddField(ReportType type, std::uint32_t flags) {
    std::uint64_t bits = static_cast<std::uint64_t>(global_.reportSize) *
                         static_cast<std::uint64_t>(global_.reportCount);
    auto key = std::make_pair(static_cast<int>(type), static_cast<int>(global_.reportId));
    std::uint32_t& used = reportBits_[key];
    std::uint32_t start = used;
    if (used + bits > kMaxReportBytes * 8) {
        return Fail("report longer than 4096 bytes");
    }
    used += static_cast<std::uint32_t>(bits);
    if (current_ == nullptr) {
        return true;  // outside any collection: takes room, belongs to no interface
    }
    std::size_t collectionIndex = static_cast<std::size_t>(current_ - out_.collections.data());
    auto owner = reportOwner_.find(key);
    if (owner == reportOwner_.end()) {
        reportOwner_[key] = collectionIndex;
    } else if (owner->second != collectionIndex && global_.reportId != 0) {
        return Fail("report id shared by two top-level collections");
    }
    if (bits == 0) {
        return true;
    }
    ReportField field;
    field.type = type;
    field.reportId = global_.reportId;
    field.flags = flags;
    field.bitOffset = start + 8;  // after the report id byte
    field.reportSize = global_.reportSize;
    field.reportCount = global_.reportCount;
    field.logicalMin = global_.logicalMin;
    field.logicalMax = global_.logicalMax;
    field.physicalMin = global_.physicalMin;
    field.physicalMax = global_.physicalMax;
    field.linkCollection = currentLink_;
    for (const LocalUsage& usage : local_.usages) {
        field.usages.push_back(Resolve(usage));
    }
    if (type == ReportType::Input &&
        std::find(current_->inputReportIds.begin(), current_->inputReportIds.end(),
                  global_.reportId) == current_->inputReportIds.end()) {
        current_->inputReportIds.push_back(global_.reportId);
    }
    current_->fields.push_back(std::move(field));
    return true;
}

}  // namespace

bool ReportField::UsageAt(std::uint32_t index, std::uint16_t& page, std::uint16_t& usage) const {
    if (usages.empty()) {
        return false;
    }
    for (const UsageRange& range : usages) {
        std::uint32_t span = static_cast<std::uint32_t>(range.usageMax - range.usageMin) + 1;
        if (index < span) {
            page = range.usagePage;
            usage = static_cast<std::uint16_t>(range.usageMin + index);
            return true;
        }
        index -= span;
    }
    page = usages.back().usagePage;
    usage = usages.back().usageMax;
    return true;
}

bool ParseReportDescriptor(std::span<const std::uint8_t> bytes, ReportDescriptorInfo& out,
                           std::string& error) {
    out = ReportDescriptorInfo{};
    error.clear();
    Parser parser(bytes, out, error);
    if (!parser.Run()) {
        out = ReportDescriptorInfo{};
        return false;
    }
    return true;
}

bool ExtractBits(std::span<const std::uint8_t> report, std::uint32_t bitOffset,
                 std::uint32_t bitCount, std::uint32_t& value) {
    if (bitCount == 0 || bitCount > 32) {
        return false;
    }
    std::uint64_t end = static_cast<std::uint64_t>(bitOffset) + bitCount;
    if (end > static_cast<std::uint64_t>(report.size()) * 8) {
        return false;
    }
    std::uint64_t result = 0;
    for (std::uint32_t i = 0; i < bitCount; ++i) {
        std::uint32_t bit = bitOffset + i;
        if ((report[bit / 8] >> (bit % 8)) & 1u) {
            result |= std::uint64_t{1} << i;
        }
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}

}  // namespace hid
