#pragma once

namespace core {

// Hands the memory of blocks already freed back to the system. Sorting a million names
// leaves a hundred megabytes of small freed blocks that the allocator would otherwise keep
// for the rest of the session.
void releaseFreedMemory();

// The same on a thread of its own once the program has been idle a moment: for
// when a screen has finished loading or has closed. Handing memory back holds the
// allocator for a while, which the screens a user opens one after another should not wait
// for. Called on the window's thread.
void releaseFreedMemoryWhenIdle();

// Blocks of a megabyte and more (a million dogs' row numbers, a list's text) go back to the
// system as soon as they are freed, instead of staying with the allocator once one of that
// size has been freed. Called once, at the start.
void returnLargeBlocksWhenFreed();

} // namespace core
