// How the process asks the system for memory.
#ifndef PLATFORM_PROCESS_MEMORY_H_
#define PLATFORM_PROCESS_MEMORY_H_

namespace compattatore {

/// Keeps freed memory in the process for the next allocation instead of
/// handing it back. Call first thing in main. A run is short and its large
/// blocks come and go (texts read, rows built, buffers filled): by default
/// each block of 128 KiB or more is mapped afresh and given back when
/// freed, and every page of it touched again costs a fault, which on a
/// virtual machine costs as much as copying the page's bytes many times.
void keep_freed_memory();

}  // namespace compattatore

#endif  // PLATFORM_PROCESS_MEMORY_H_
