#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hid/HidBackend.h"
#include "hid/ReportDescriptor.h"

namespace hid {

class CHidrawNode;

// What enumeration learned about one hidraw node.
struct HidrawNodeInfo {
    std::string nodeName;    // "hidraw3"
    std::string linkTarget;  // where class/hidraw/hidraw3 points: changes on every re-plug
    std::string instance;    // the HID device's sysfs name, "0003:320F:2210.0004"
    HidAttributes attributes;
    int interfaceNumber = -1;  // -1: not a USB interface (no "&mi_" part)
    std::vector<std::uint8_t> descriptor;
    ReportDescriptorInfo info;
};

// The parts of a hidraw interface path.
struct HidrawPath {
    std::string nodeName;
    std::string instance;
    int collectionNumber = 0;
};

// "/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004"; no "&col" part for a node
// with a single top-level collection.
std::string FormatHidrawPath(const std::string& devRoot, const HidrawNodeInfo& node,
                             int collectionNumber);
bool ParseHidrawPath(const std::string& devRoot, const std::string& path, HidrawPath& out);

// Enumerates /sys/class/hidraw (or $ZORVATH_SYSFS_ROOT/class/hidraw) and opens /dev/hidrawN.
// Node facts are cached and re-read only for nodes whose link changed, so a pass over an
// unchanged system reads directory entries and links only. Open nodes are shared by all
// handles of their collections. A node is opened for writing only when a handle asks to write.
class CHidrawBackend final : public IHidBackend {
public:
    // Roots default to "/sys" and "/dev". $ZORVATH_SYSFS_ROOT replays another tree (a user's
    // sysfs dump): it is enumerated and described, but no device node is opened for it.
    CHidrawBackend();
    CHidrawBackend(std::string sysfsRoot, std::string devRoot);
    ~CHidrawBackend() override;

    bool Enumerate(std::vector<std::string>& paths) override;
    bool IsPresent(const std::string& path) override;
    std::unique_ptr<IHidHandle> Open(const std::string& path, bool write) override;
    bool Describe(const std::string& path, HidAttributes& attributes,
                  std::vector<std::uint8_t>& descriptor, int& collectionIndex) override;

    // How many node folders were read in full so far (tests check the cache with it).
    std::size_t NodeReadsForTesting() const;

    // How device nodes are opened: ::open(node, flags) unless a test records the flags and
    // hands back a descriptor of its own.
    using NodeOpener = std::function<int(const std::string& node, int flags)>;
    void SetNodeOpenerForTesting(NodeOpener opener);

private:
    bool CurrentLink(const std::string& nodeName, std::string& target) const;
    std::shared_ptr<const HidrawNodeInfo> Lookup(const std::string& nodeName,
                                                 const std::string& target);

    std::string sysfsRoot_;
    std::string devRoot_;
    bool canOpen_ = true;
    mutable std::mutex lock_;
    std::map<std::string, std::shared_ptr<const HidrawNodeInfo>> cache_;
    // A node opened for reading only serves readers; the first writer opens it again for
    // writing, and that node serves the handles that come after it.
    struct OpenNode {
        std::weak_ptr<CHidrawNode> node;
        bool writable = false;
    };
    std::map<std::string, OpenNode> openNodes_;  // by node name + instance
    NodeOpener openNode_;
    std::size_t nodeReads_ = 0;
};

// Reads a sysfs attribute of at most limit bytes to its end (sysfs sizes say nothing).
bool ReadSysfsAttribute(const std::string& path, std::string& out, std::size_t limit);

// Reads one node's facts from a sysfs tree; false when the node is unusable.
bool ReadHidrawNodeInfo(const std::string& sysfsRoot, const std::string& nodeName,
                        HidrawNodeInfo& out);

}  // namespace hid
