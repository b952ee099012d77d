#pragma once

// Linking zorvath_counting_allocator into a test binary replaces the global operator new with one
// that counts calls, so a test can show that a path allocates nothing.
namespace testsupport {

long AllocationCount();

}  // namespace testsupport
