#pragma once

namespace core {

// Hands the memory of blocks already freed back to the system. Sorting a million names
// leaves a hundred megabytes of small freed blocks that the allocator would otherwise keep
// for the rest of the session.
void releaseFreedMemory();

// The same on a thread of the program's pool, so that the window does not wait for it: for
// when a screen has finished loading or has closed. A call while one is waiting to run is
// taken in by that one.
void releaseFreedMemoryInBackground();

// Blocks of a megabyte and more (a million dogs' row numbers, a list's text) go back to the
// system as soon as they are freed, instead of staying with the allocator once one of that
// size has been freed. Called once, at the start.
void returnLargeBlocksWhenFreed();

} // namespace core
