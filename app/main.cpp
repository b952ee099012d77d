#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/ListInterfaces.h"
#include "base/ProgramVersion.h"
#include "base/Trace.h"
#include "sim/FaultSwitch.h"

#if ZORVATH_HAS_GUI
#include "app/Application.h"
#endif

int main(int argc, char** argv) {
    trace::InitFromEnvironment();
    std::vector<std::string_view> args(argv + 1, argv + argc);
    CommandLineOptions options = ParseCommandLine(args);
    if (!options.error.empty()) {
        std::fprintf(stderr, "zorvath-config: %s\n%s", options.error.c_str(),
                     CommandLineUsage().c_str());
        return 2;
    }
    // These answer without a display.
    if (options.help) {
        std::fputs(CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("zorvath-config %s\n", std::string(version::kText).c_str());
        return 0;
    }
    if (options.trace) {
        trace::Enable(true);
    }
    // Checked before anything starts, so that a misspelt fault is not a silent fault-free run.
    sim::FaultRates faults;
    std::string faultError;
    if (!sim::FaultRatesFromEnvironment(faults, faultError)) {
        std::fprintf(stderr, "zorvath-config: %s\n", faultError.c_str());
        return 2;
    }
#if ZORVATH_HAS_GUI
    if (!options.listInterfaces) {
        return RunApplication(options, argc, argv);
    }
#endif
    return ListInterfaces(options, stdout);
}
