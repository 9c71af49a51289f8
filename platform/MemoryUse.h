#pragma once

namespace Orvane {

// Has the C library hand large buffers (a megabyte and more) back to the
// system as soon as they are freed. A sort of a million records borrows
// about 46 MB for a moment on the finder's thread; glibc would otherwise
// keep most of it in that thread's heap for the rest of the run. Called
// once, first thing in main(). Does nothing where it does not apply.
void giveLargeBuffersBack();

} // namespace Orvane
