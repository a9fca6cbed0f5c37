#include "platform/Allocator.h"

#include <malloc.h>

namespace korbena {

void tuneAllocatorForPictures()
{
    // Up to 64 MiB per block stays in the heap; freed memory is given back to the
    // system only once 128 MiB lie unused at its top.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
}

} // namespace korbena
