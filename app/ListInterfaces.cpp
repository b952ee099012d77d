#include "app/ListInterfaces.h"

int ListInterfaces(const CommandLineOptions& /*options*/, std::FILE* /*out*/) {
    return 0;
}
