#pragma once
// The most memory the process has held so far, in kilobytes. One implementation
// per platform, chosen when the project is configured.

namespace peakmemory {

long kilobytes();

} // namespace peakmemory
