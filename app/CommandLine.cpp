#include "app/CommandLine.h"

#include <charconv>

namespace {

bool IsKnownKind(std::string_view kind) {
    return kind == "mouse" || kind == "keyboard" || kind == "mousepad" || kind == "headset";
}

bool SplitKinds(std::string_view list, std::vector<std::string>& kinds) {
    while (!list.empty()) {
        std::size_t comma = list.find(',');
        std::string_view kind = list.substr(0, comma);
        if (!IsKnownKind(kind)) {
            return false;
        }
        kinds.emplace_back(kind);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return !kinds.empty();
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string_view>& args) {
    CommandLineOptions options;
    for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        std::string_view arg = args[i];
        auto takeValue = [&](std::string_view name, std::string_view& value) {
            std::string prefix = std::string(name) + "=";
            if (arg.starts_with(prefix)) {
                value = arg.substr(prefix.size());
                return true;
            }
            if (i + 1 < args.size()) {
                value = args[++i];
                return true;
            }
            options.error = std::string(name) + " needs a value";
            return false;
        };
        std::string_view value;
        if (arg == "--simulate") {
            options.simulate = true;
            options.simulatedKinds = {"mouse"};
        } else if (arg.starts_with("--simulate=")) {
            options.simulate = true;
            options.simulatedKinds.clear();
            if (!SplitKinds(arg.substr(11), options.simulatedKinds)) {
                options.error = "unknown device kind in " + std::string(arg);
            }
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--list-interfaces") {
            options.listInterfaces = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--screenshot" || arg.starts_with("--screenshot=")) {
            if (takeValue("--screenshot", value)) {
                options.screenshotPath = std::string(value);
                if (value.empty()) {
                    options.error = "--screenshot needs a file name";
                }
            }
        } else if (arg == "--quit-after" || arg.starts_with("--quit-after=")) {
            if (takeValue("--quit-after", value)) {
                int ms = -1;
                auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
                if (ec != std::errc{} || end != value.data() + value.size() || ms < 0) {
                    options.error = "--quit-after needs a number of milliseconds";
                } else {
                    options.quitAfterMs = ms;
                }
            }
        } else if (arg.starts_with("-psn_") || arg == "-platform" || arg == "-style") {
            // Options Qt itself consumes; their values are skipped too.
            if (arg == "-platform" || arg == "-style") {
                ++i;
            }
        } else {
            options.error = "unknown option " + std::string(arg);
        }
    }
    return options;
}

std::string CommandLineUsage() {
    return "Usage: zorvath-config [options]\n"
           "Configures the Zorvath ZR-310 gaming mouse: DPI stages, report rate, buttons,\n"
           "macros, lighting and recoil patterns.\n"
           "\n"
           "  --simulate[=KINDS]   use emulated devices instead of real ones; KINDS is a comma\n"
           "                       list of mouse, keyboard, mousepad, headset (default mouse)\n"
           "  --list-interfaces    print every HID interface found and exit\n"
           "  --trace              write diagnostics and every device frame to stderr\n"
           "                       (also ZORVATH_TRACE=1)\n"
           "  --screenshot FILE    write a PNG of the main window once it is shown\n"
           "  --quit-after MS      end the program after MS milliseconds\n"
           "  --version            print the version and exit\n"
           "  --help               print this text and exit\n"
           "\n"
           "Environment:\n"
           "  ZORVATH_TRACE=1      as --trace\n"
           "  ZORVATH_SCALE=100|150  draw at this scale instead of choosing by screen size\n"
           "  ZORVATH_SYSFS_ROOT=DIR  list and describe the HID devices of a sysfs copy\n"
           "                       (a user's dump) instead of this machine's; none is opened\n"
           "  ZORVATH_SIM_FAULTS=LIST  with --simulate, the emulated devices misbehave on\n"
           "                       purpose; LIST is comma-separated key=value:\n"
           "                         drop=RATE      a reply is lost\n"
           "                         garbage=RATE   a reply is random bytes\n"
           "                         stale=RATE     a reply of another command comes first\n"
           "                         unplug-after=N[-M]  unplug while taking the Nth request\n"
           "                                        (a random one of N to M)\n"
           "                         replug-after=MS  plug in again MS milliseconds later\n"
           "                         seed=S         the random sequence (default 1)\n"
           "                       RATE is a share of requests from 0 to 1, for example\n"
           "                       drop=0.05,garbage=0.02,stale=0.02,unplug-after=200,seed=7\n";
}
