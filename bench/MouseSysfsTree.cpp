#include "bench/MouseSysfsTree.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/MouseDescriptors.h"

namespace bench {

std::string MakeMouseSysfsTree(const std::string& name, int nodes) {
    namespace fs = std::filesystem;
    const std::string root =
        fs::temp_directory_path() / ("zorvath-bench-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root + "/class/hidraw");
    for (int i = 0; i < nodes; ++i) {
        const std::string usb = root + "/devices/usb1/1-" + std::to_string(i);
        const std::string iface = usb + "/1-" + std::to_string(i) + ":1.1";
        const std::string hid = iface + "/0003:320F:2210.000" + std::to_string(i);
        const std::string node = "hidraw" + std::to_string(i);
        fs::create_directories(hid + "/hidraw/" + node);
        std::ofstream(usb + "/idVendor") << "320f\n";
        std::ofstream(usb + "/idProduct") << "2210\n";
        std::ofstream(usb + "/bcdDevice") << "0102\n";
        std::ofstream(iface + "/bInterfaceNumber") << "01\n";
        const auto& rd = sim::MouseMultiDescriptor();
        std::ofstream(hid + "/report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(rd.data()),
                   static_cast<std::streamsize>(rd.size()));
        fs::create_symlink(hid + "/hidraw/" + node, root + "/class/hidraw/" + node);
    }
    return root;
}

}  // namespace bench
