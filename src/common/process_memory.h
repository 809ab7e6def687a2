// The process's memory for lists the size of a register. A calculation reads the register
// and the previous results into lists, builds the new results beside them and lets each go
// when it is written; a hundred thousand assets are some sixty megabytes. Fresh memory
// costs the kernel a fault for every page the first time it is touched, which on a virtual
// machine is much of the calculation's time, so the program keeps what it frees for its
// next list and asks for large pages where it can.
#pragma once

namespace kavrina::memory {

// Once, at the start of a program or tool, before its first list: every block comes from
// the process's own heap and a block that is freed stays there for the next one; room for
// the lists is set aside once, backed by large pages where the kernel offers them. Does
// nothing where the allocator is not the C library's own (a sanitizer's).
void prepareForLargeLists();

// Gives the memory freed since back to the system, after work that needed much of it (a
// calculation in the window, which stays open long after).
void releaseFreedMemory();

}  // namespace kavrina::memory
