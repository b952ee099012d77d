#include "hid/HidrawBackend.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hid/HidInterfaceId.h"
#include "hid/HidrawNode.h"

namespace hid {

namespace {

std::string Parent(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsHidrawName(const std::string& name) {
    if (name.compare(0, 6, "hidraw") != 0 || name.size() == 6 || name.size() > 16) {
        return false;
    }
    return std::all_of(name.begin() + 6, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool ReadSysfsAttribute(const std::string& path, std::string& out, std::size_t limit) {
    // sysfs reports a size of 4096 (or 0) whatever an attribute holds: read to end of file.
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    out.resize(limit + 1);
    std::size_t got = 0;
    while (got < out.size()) {
        ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            got = out.size();  // an unreadable attribute counts as unusable
            break;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > limit) {
        out.clear();
        return false;
    }
    out.resize(got);
    return true;
}

namespace {

bool ReadSmallFile(const std::string& path, std::string& out, std::size_t limit) {
    return ReadSysfsAttribute(path, out, limit);
}

// A sysfs attribute holding one hex number ("320f\n").
bool ReadHexAttribute(const std::string& path, unsigned long& value) {
    std::string text;
    if (!ReadSmallFile(path, text, 64)) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, 16);
    return errno == 0 && end != text.c_str() && value <= 0xFFFF;
}

}  // namespace

bool ReadHidrawNodeInfo(const std::string& sysfsRoot, const std::string& nodeName,
                        HidrawNodeInfo& out) {
    out = HidrawNodeInfo{};
    out.nodeName = nodeName;
    const std::string link = sysfsRoot + "/class/hidraw/" + nodeName;
    char resolved[PATH_MAX];
    if (::realpath(link.c_str(), resolved) == nullptr) {
        return false;
    }
    // .../<usb interface>/<hid device>/hidraw/hidrawN
    const std::string nodeDir = resolved;
    const std::string hidDir = Parent(Parent(nodeDir));
    const std::string usbInterfaceDir = Parent(hidDir);
    const std::string usbDeviceDir = Parent(usbInterfaceDir);
    out.instance = BaseName(hidDir);

    std::string descriptor;
    if (!ReadSmallFile(hidDir + "/report_descriptor", descriptor, kMaxDescriptorSize)) {
        return false;
    }
    out.descriptor.assign(descriptor.begin(), descriptor.end());
    std::string error;
    if (!ParseReportDescriptor(out.descriptor, out.info, error)) {
        return false;
    }

    // HID_ID=0003:0000320F:00002210 names bus, vendor and product for every bus type.
    std::string uevent;
    if (ReadSmallFile(hidDir + "/uevent", uevent, 16384)) {
        std::istringstream lines(uevent);
        std::string line;
        while (std::getline(lines, line)) {
            unsigned bus = 0;
            unsigned vendor = 0;
            unsigned product = 0;
            if (std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3) {
                out.attributes.vendorId = static_cast<std::uint16_t>(vendor);
                out.attributes.productId = static_cast<std::uint16_t>(product);
            }
        }
    }
    unsigned long value = 0;
    if (ReadHexAttribute(usbInterfaceDir + "/bInterfaceNumber", value)) {
        out.interfaceNumber = static_cast<int>(value);
        if (ReadHexAttribute(usbDeviceDir + "/idVendor", value)) {
            out.attributes.vendorId = static_cast<std::uint16_t>(value);
        }
        if (ReadHexAttribute(usbDeviceDir + "/idProduct", value)) {
            out.attributes.productId = static_cast<std::uint16_t>(value);
        }
        if (ReadHexAttribute(usbDeviceDir + "/bcdDevice", value)) {
            out.attributes.versionNumber = static_cast<std::uint16_t>(value);
        }
    }
    return true;
}

std::string FormatHidrawPath(const std::string& devRoot, const HidrawNodeInfo& node,
                             int collectionNumber) {
    char text[64];
    std::snprintf(text, sizeof text, "&vid_%04x&pid_%04x", node.attributes.vendorId,
                  node.attributes.productId);
    std::string path = devRoot + "/" + node.nodeName + text;
    if (node.interfaceNumber >= 0) {
        std::snprintf(text, sizeof text, "&mi_%02x", static_cast<unsigned>(node.interfaceNumber));
        path += text;
    }
    if (collectionNumber > 0) {
        std::snprintf(text, sizeof text, "&col%02x", static_cast<unsigned>(collectionNumber));
        path += text;
    }
    return path + "#" + node.instance;
}

bool ParseHidrawPath(const std::string& devRoot, const std::string& path, HidrawPath& out) {
    const std::string prefix = devRoot + "/";
    if (path.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    std::size_t nameEnd = path.find('&', prefix.size());
    std::size_t hash = path.rfind('#');
    if (nameEnd == std::string::npos || hash == std::string::npos || hash < nameEnd) {
        return false;
    }
    out.nodeName = path.substr(prefix.size(), nameEnd - prefix.size());
    out.instance = path.substr(hash + 1);
    out.collectionNumber = ParseCollectionNumber(path.substr(0, hash));
    return IsHidrawName(out.nodeName) && !out.instance.empty() &&
           out.instance.find('/') == std::string::npos;
}

namespace {

const char* ReplayedSysfsRoot() {
    const char* root = std::getenv("ZORVATH_SYSFS_ROOT");
    return root != nullptr && *root != '\0' && std::string(root) != "/sys" ? root : nullptr;
}

}  // namespace

CHidrawBackend::CHidrawBackend()
    : CHidrawBackend(ReplayedSysfsRoot() != nullptr ? ReplayedSysfsRoot() : "/sys", "/dev") {
    // The nodes of this machine do not belong to a replayed tree: never open them for it.
    canOpen_ = ReplayedSysfsRoot() == nullptr;
}

CHidrawBackend::CHidrawBackend(std::string sysfsRoot, std::string devRoot)
    : sysfsRoot_(std::move(sysfsRoot)),
      devRoot_(std::move(devRoot)),
      openNode_([](const std::string& node, int flags) { return ::open(node.c_str(), flags); }) {}

void CHidrawBackend::SetNodeOpenerForTesting(NodeOpener opener) {
    std::lock_guard<std::mutex> guard(lock_);
    openNode_ = std::move(opener);
}

CHidrawBackend::~CHidrawBackend() = default;

bool CHidrawBackend::CurrentLink(const std::string& nodeName, std::string& target) const {
    const std::string link = sysfsRoot_ + "/class/hidraw/" + nodeName;
    char buffer[PATH_MAX];
    ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) {
        return false;
    }
    target.assign(buffer, static_cast<std::size_t>(n));
    return true;
}

std::shared_ptr<const HidrawNodeInfo> CHidrawBackend::Lookup(const std::string& nodeName,
                                                             const std::string& target) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = cache_.find(nodeName);
        if (it != cache_.end() && it->second && it->second->linkTarget == target) {
            return it->second;
        }
    }
    auto info = std::make_shared<HidrawNodeInfo>();
    bool ok = ReadHidrawNodeInfo(sysfsRoot_, nodeName, *info);
    info->linkTarget = target;
    std::lock_guard<std::mutex> guard(lock_);
    ++nodeReads_;
    // An unusable node is remembered too (empty collections), so it is not re-read each pass.
    if (!ok) {
        info->info = ReportDescriptorInfo{};
    }
    cache_[nodeName] = info;
    return info;
}

bool CHidrawBackend::Enumerate(std::vector<std::string>& paths) {
    const std::string classDir = sysfsRoot_ + "/class/hidraw";
    DIR* dir = ::opendir(classDir.c_str());
    if (dir == nullptr) {
        // No hidraw class at all (no HID devices, or no such module): an empty system.
        return errno == ENOENT;
    }
    std::vector<std::pair<int, std::string>> names;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (IsHidrawName(name)) {
            names.emplace_back(std::atoi(name.c_str() + 6), name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());

    std::map<std::string, std::shared_ptr<const HidrawNodeInfo>> seen;
    for (const auto& [number, name] : names) {
        std::string target;
        if (!CurrentLink(name, target)) {
            continue;
        }
        std::shared_ptr<const HidrawNodeInfo> info = Lookup(name, target);
        seen[name] = info;
        std::size_t count = info->info.collections.size();
        for (std::size_t c = 0; c < count; ++c) {
            paths.push_back(
                FormatHidrawPath(devRoot_, *info, count > 1 ? static_cast<int>(c + 1) : 0));
        }
    }
    std::lock_guard<std::mutex> guard(lock_);
    cache_.swap(seen);  // nodes that went away leave the cache
    return true;
}

bool CHidrawBackend::IsPresent(const std::string& path) {
    HidrawPath parsed;
    if (!ParseHidrawPath(devRoot_, path, parsed)) {
        return false;
    }
    std::string target;
    if (!CurrentLink(parsed.nodeName, target)) {
        return false;
    }
    // The link runs .../<hid device>/hidraw/hidrawN: the device instance is two levels up.
    std::string hidDir = Parent(Parent(target));
    if (BaseName(hidDir) != parsed.instance) {
        return false;
    }
    // The collection must exist too; known from the last enumeration without reading files.
    std::lock_guard<std::mutex> guard(lock_);
    auto it = cache_.find(parsed.nodeName);
    if (it == cache_.end() || !it->second || it->second->linkTarget != target) {
        return true;
    }
    std::size_t count = it->second->info.collections.size();
    return parsed.collectionNumber == 0
               ? count == 1
               : static_cast<std::size_t>(parsed.collectionNumber) <= count;
}

std::unique_ptr<IHidHandle> CHidrawBackend::Open(const std::string& path, bool write) {
    HidrawPath parsed;
    if (!canOpen_ || !ParseHidrawPath(devRoot_, path, parsed)) {
        return nullptr;
    }
    std::string target;
    if (!CurrentLink(parsed.nodeName, target)) {
        return nullptr;
    }
    std::shared_ptr<const HidrawNodeInfo> info = Lookup(parsed.nodeName, target);
    if (info->instance != parsed.instance || info->info.collections.empty()) {
        return nullptr;  // the node now belongs to another device
    }
    std::size_t count = info->info.collections.size();
    if (parsed.collectionNumber == 0 ? count != 1
                                     : static_cast<std::size_t>(parsed.collectionNumber) > count) {
        return nullptr;
    }
    int collectionIndex = parsed.collectionNumber == 0 ? 0 : parsed.collectionNumber - 1;
    const std::string key = parsed.nodeName + "#" + parsed.instance;

    std::lock_guard<std::mutex> guard(lock_);
    OpenNode& entry = openNodes_[key];
    std::shared_ptr<CHidrawNode> node = entry.node.lock();
    if (!node || node->IsGone() || (write && !entry.writable)) {
        // Write access only when asked for: reading descriptors and events needs none.
        const std::string devPath = devRoot_ + "/" + parsed.nodeName;
        const int fd = openNode_(devPath, (write ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            return nullptr;
        }
        node = CHidrawNode::Create(fd, info->attributes, info->descriptor);
        if (!node) {
            return nullptr;
        }
        entry = {node, write};
    }
    for (auto it = openNodes_.begin(); it != openNodes_.end();) {
        it = it->second.node.expired() ? openNodes_.erase(it) : std::next(it);
    }
    return node->OpenCollection(collectionIndex);
}

bool CHidrawBackend::Describe(const std::string& path, HidAttributes& attributes,
                              std::vector<std::uint8_t>& descriptor, int& collectionIndex) {
    HidrawPath parsed;
    std::string target;
    if (!ParseHidrawPath(devRoot_, path, parsed) || !CurrentLink(parsed.nodeName, target)) {
        return false;
    }
    std::shared_ptr<const HidrawNodeInfo> info = Lookup(parsed.nodeName, target);
    std::size_t count = info->info.collections.size();
    if (info->instance != parsed.instance ||
        (parsed.collectionNumber == 0
             ? count != 1
             : static_cast<std::size_t>(parsed.collectionNumber) > count)) {
        return false;
    }
    attributes = info->attributes;
    descriptor = info->descriptor;
    collectionIndex = parsed.collectionNumber == 0 ? 0 : parsed.collectionNumber - 1;
    return true;
}

std::size_t CHidrawBackend::NodeReadsForTesting() const {
    std::lock_guard<std::mutex> guard(lock_);
    return nodeReads_;
}

}  // namespace hid
