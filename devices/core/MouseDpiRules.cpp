#include "devices/core/MouseDpiRules.h"

#include <algorithm>
#include <cstdint>

namespace devices {
namespace {

// The leading decimal number of a text (after blanks, with an optional sign); 0 without one.
// Saturates instead of overflowing.
long long LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1'000'000'000);
    }
    return negative ? -value : value;
}

}  // namespace

int DpiSliderFromEditText(std::string_view text, int step) {
    const long long dpi = std::max<long long>(LeadingNumber(text), 100);
    return static_cast<int>(dpi / std::max(step, 1));
}

int TamricDpiFromText(std::string_view text) {
    return static_cast<int>(std::clamp<long long>(LeadingNumber(text), 200, 6500));
}

int ReportRateOptionIndex(int index) {
    return index >= 0 && index < kMouseReportRateCount ? index : 0;
}

std::array<DpiStageView, kMouseDpiStageCount> DpiStageViews(const std::vector<DpiStage>& stages,
                                                            int activeStage, int step) {
    std::array<DpiStageView, kMouseDpiStageCount> views{};
    int enabledCount = 0;
    for (std::size_t i = 0; i < views.size() && i < stages.size(); ++i) {
        enabledCount += stages[i].enabled != 0 ? 1 : 0;
    }
    for (std::size_t i = 0; i < views.size(); ++i) {
        DpiStageView& v = views[i];
        v.active = static_cast<int>(i) == activeStage;
        if (i >= stages.size()) {
            continue;
        }
        v.present = true;
        v.enabled = stages[i].enabled != 0;
        v.checkEnabled = !(v.enabled && enabledCount == 1);
        v.sliderValue = stages[i].dpiX;
        v.dpi = stages[i].dpiX * std::max(step, 1);
    }
    return views;
}

bool IsLastEnabledStage(const std::vector<DpiStage>& stages, int stage) {
    if (stage < 0 || static_cast<std::size_t>(stage) >= stages.size() ||
        stages[static_cast<std::size_t>(stage)].enabled == 0) {
        return false;
    }
    int enabledCount = 0;
    for (std::size_t i = 0; i < stages.size() && i < kMouseDpiStageCount; ++i) {
        enabledCount += stages[i].enabled != 0 ? 1 : 0;
    }
    return enabledCount == 1;
}

}  // namespace devices
