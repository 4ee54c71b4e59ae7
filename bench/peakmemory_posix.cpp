#include "peakmemory.h"

#include <sys/resource.h>

namespace peakmemory {

long kilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace peakmemory
