#pragma once

#include <string_view>
#include <vector>

#include "devices/core/MouseRecords.h"
#include "profiles/ProfileRecords.h"

// The rules of the DPI, report-rate and stage controls, on plain values.
namespace devices {

// The edit's text as slider units: decimal (empty reads 0, trailing junk ignored), at least
// 100 DPI, divided by the step.
int DpiSliderFromEditText(std::string_view text, int step);
// The device-independent "tamric_DPI_edit_" value: its number limited to 200..6500.
int TamricDpiFromText(std::string_view text);
// Report-rate indices outside 0..4 select option 0.
int ReportRateOptionIndex(int index);
// The four stages as the controls show them.
std::array<DpiStageView, kMouseDpiStageCount> DpiStageViews(const std::vector<DpiStage>& stages,
                                                            int activeStage, int step);
// True when switching stage off would leave no enabled stage.
bool IsLastEnabledStage(const std::vector<DpiStage>& stages, int stage);

}  // namespace devices
