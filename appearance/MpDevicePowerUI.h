#pragma once

#include <cstddef>
#include <cstdint>

#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace appearance {

// The battery and charging indicator of a device list entry, fed with the device's status
// records. Its sub-controls are found by name on first use; while one is missing a record
// changes nothing.
class CMpDevicePowerUI : public QWidget {
    Q_OBJECT
public:
    explicit CMpDevicePowerUI(QWidget* parent = nullptr);

    // Kind code of the device list: 2 mouse, 3 mouse pad.
    void SetDeviceKind(int kind) { kind_ = kind; }
    int DeviceKind() const { return kind_; }
    void SetStatusPolling(int polling) { statusPolling_ = polling; }
    int StatusPolling() const { return statusPolling_; }

    // Shows one status record (at most 64 bytes are read; a shorter one is zero-padded).
    // Returns false when the sub-controls are missing.
    bool ApplyStatusRecord(const std::uint8_t* record, std::size_t length);

    // Shows or hides the whole indicator ("device_power_Layout").
    void ShowIndicator(bool visible);

    // The user's activation: "selectchanged" from the indicator.
    void Activate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool FindParts();

    int kind_ = 0;
    int statusPolling_ = 0;
    QPointer<QWidget> value_;
    QPointer<QWidget> wirelessLogo_;
    QPointer<QProgressBar> progress_;
    QPointer<QWidget> status_;
    QPointer<QWidget> phone_;
};

}  // namespace appearance
