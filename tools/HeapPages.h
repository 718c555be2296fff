#pragma once

namespace talvex {

// Asks the kernel to back the heap with large pages, where it can. A long tape is some ten
// thousand small blocks a megabyte of file; mapped a small page at a time, the faults cost
// more than reading and recalculating the tape itself.
void preferLargeHeapPages();

}  // namespace talvex
