#pragma once
// Allocation in the finite-element library: a failure is a return value that the
// caller reports with its own message, never an exception. Tests make a chosen
// allocation fail to reach those messages.
#include <cstddef>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace kv::fem {

// True when the allocation about to be made is to fail (see AllocationFailureForTesting).
bool AllocationFailsNow();

// Makes `v` hold `n` default values. False when memory cannot be had.
template <typename T>
bool Allocate(std::vector<T>& v, std::size_t n) {
    if (AllocationFailsNow()) return false;
    try {
        v.assign(n, T{});
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

// For records read one by one from a text file whose count line says `n`: takes
// memory for the first ones now and the rest as they are read, so a count that a
// damaged file overstates takes no more memory than the file holds.
template <typename T>
bool AllocateForText(std::vector<T>& v, std::size_t n) {
    if (AllocationFailsNow()) return false;
    v.clear();
    try {
        v.reserve(n < 1024 ? n : 1024);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Adds one default record; false when memory cannot be had.
template <typename T>
bool AppendDefault(std::vector<T>& v) {
    try {
        v.emplace_back();
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

// A reader (or other object) made on its file name; null when memory cannot be had.
template <typename T>
std::unique_ptr<T> MakeObject(const char* name) {
    if (AllocationFailsNow()) return nullptr;
    try {
        return std::make_unique<T>(name);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// For tests: while an object lives, the `nth` allocation from now (1: the next)
// fails, and only that one.
class AllocationFailureForTesting {
public:
    explicit AllocationFailureForTesting(int nth);
    ~AllocationFailureForTesting();
    AllocationFailureForTesting(const AllocationFailureForTesting&) = delete;
    AllocationFailureForTesting& operator=(const AllocationFailureForTesting&) = delete;
};

}  // namespace kv::fem
