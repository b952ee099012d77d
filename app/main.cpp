#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/ListInterfaces.h"
#include "base/ProgramVersion.h"
#include "base/Trace.h"

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
#if ZORVATH_HAS_GUI
    if (!options.listInterfaces) {
        return RunApplication(options, argc, argv);
    }
#endif
    return ListInterfaces(options, stdout);
}
