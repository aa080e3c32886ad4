#pragma once
// Memory for the model's large arrays: heights, the levels of every cell, the values of
// every point. Each array is mapped in one piece and, from a few megabytes on, advised
// onto huge pages: on a virtual machine every 4 KiB page costs a slow fault when it is
// first touched, and a 4000 x 4000 grid has tens of thousands of them, where huge pages
// make a few dozen.

#include <cstddef>
#include <new>
#include <vector>

// Zero-filled memory for bytes, or nullptr when there is none; populate maps every page
// at once, for arrays that are about to be written whole.
void* allocateLarge(std::size_t bytes, bool populate = false);
void releaseLarge(void* block);  // a block from allocateLarge, or nullptr

template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&)
    {
    }
    T* allocate(std::size_t n)
    {
        void* block = allocateLarge(n * sizeof(T), true);
        if (block == nullptr)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t) { releaseLarge(block); }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const
    {
        return true;
    }
    template <typename U>
    bool operator!=(const LargeAllocator<U>&) const
    {
        return false;
    }
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// Empties v and gives its memory back; v = {} and clear() keep the capacity, so a large
// grid's arrays would outlive it.
template <typename V>
void freeVector(V& v)
{
    V().swap(v);
}
