#pragma once

namespace korbena {

// Symbol pictures of a few hundred kilobytes are made and dropped for every label.
// glibc serves blocks that large from fresh mmap pages by default, and touching new
// pages costs more than drawing the symbol; keeping them in the heap makes a
// redraw several times faster. Call once at program start; safe to call again.
void tuneAllocatorForPictures();

} // namespace korbena
