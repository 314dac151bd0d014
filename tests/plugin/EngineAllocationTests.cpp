// Counts every heap allocation made on the thread under watch, through the C++ allocation
// functions and through malloc itself (the framework's buffers use malloc), to prove that
// the audio path allocates nothing, not even when the oversampling factor changes.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long> watchedAllocations { 0 };
thread_local bool watchingThisThread = false;

void noteAllocation()
{
    if (watchingThisThread)
        watchedAllocations.fetch_add (1, std::memory_order_relaxed);
}

void* allocateOrThrow (std::size_t size)
{
    noteAllocation();
    if (auto* memory = std::malloc (size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* allocateAlignedOrThrow (std::size_t size, std::align_val_t alignment)
{
    noteAllocation();
    const auto align = static_cast<std::size_t> (alignment);
    if (auto* memory = std::aligned_alloc (align, (size + align - 1) / align * align))
        return memory;
    throw std::bad_alloc();
}

// Counts the allocations made on this thread while it lives.
class AllocationWatch
{
public:
    AllocationWatch()
    {
        watchedAllocations = 0;
        watchingThisThread = true;
    }
    ~AllocationWatch() { watchingThisThread = false; }
    long count() const { return watchedAllocations.load(); }
};
} // namespace

// The sanitizers bring their own malloc, which must see every allocation; with them the
// C++ allocation functions alone are counted.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    #define VESK_COUNTS_MALLOC 0
#elif defined(__has_feature)
    #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
        #define VESK_COUNTS_MALLOC 0
    #endif
#endif
#if ! defined(VESK_COUNTS_MALLOC) && defined(__GLIBC__)
    #define VESK_COUNTS_MALLOC 1
#elif ! defined(VESK_COUNTS_MALLOC)
    #define VESK_COUNTS_MALLOC 0
#endif

#if VESK_COUNTS_MALLOC
// glibc's own entry points, for the malloc family below.
extern "C" void* __libc_malloc (std::size_t);
extern "C" void* __libc_calloc (std::size_t, std::size_t);
extern "C" void* __libc_realloc (void*, std::size_t);

extern "C" void* malloc (std::size_t size)
{
    noteAllocation();
    return __libc_malloc (size);
}

extern "C" void* calloc (std::size_t count, std::size_t size)
{
    noteAllocation();
    return __libc_calloc (count, size);
}

extern "C" void* realloc (void* memory, std::size_t size)
{
    noteAllocation();
    return __libc_realloc (memory, size);
}
#endif

void* operator new (std::size_t size) { return allocateOrThrow (size); }
void* operator new[] (std::size_t size) { return allocateOrThrow (size); }
void* operator new (std::size_t size, std::align_val_t alignment) { return allocateAlignedOrThrow (size, alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment) { return allocateAlignedOrThrow (size, alignment); }

void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    noteAllocation();
    return std::malloc (size == 0 ? 1 : size);
}

void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    noteAllocation();
    return std::malloc (size == 0 ? 1 : size);
}

void operator delete (void* memory) noexcept { std::free (memory); }
void operator delete[] (void* memory) noexcept { std::free (memory); }
void operator delete (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete (void* memory, std::align_val_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::align_val_t) noexcept { std::free (memory); }
void operator delete (void* memory, std::size_t, std::align_val_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::size_t, std::align_val_t) noexcept { std::free (memory); }
void operator delete (void* memory, const std::nothrow_t&) noexcept { std::free (memory); }
void operator delete[] (void* memory, const std::nothrow_t&) noexcept { std::free (memory); }

using namespace enginetest;

TEST (EngineAllocation, theWatchSeesAllocations)
{
    AllocationWatch watch;
    auto* vector = new std::vector<float> (1000); // two C++ allocations
    const auto afterNew = watch.count();
    juce::HeapBlock<float> block (1000);          // one malloc
    delete vector;
    EXPECT_GE (afterNew, 2);
    if (VESK_COUNTS_MALLOC)
    {
        EXPECT_GT (watch.count(), afterNew);
    }
}

TEST (EngineAllocation, processBlockAllocatesNothingAcrossFactorSwitches)
{
    for (const int numChannels : { 1, 2 })
    {
        auto processor = makePrepared (2, numChannels, 512);
        juce::AudioBuffer<float> buffer (numChannels, 512);
        juce::MidiBuffer midi;
        const auto input = noise (512, 0.8f, 17);

        const auto processOneBlock = [&] (int length)
        {
            for (int ch = 0; ch < numChannels; ++ch)
                buffer.copyFrom (ch, 0, input.data(), length);
            juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), numChannels, length);
            AllocationWatch watch;
            processor->processBlock (view, midi);
            return watch.count();
        };

        // Parameters move between blocks, as a host or the editor moves them.
        const auto setAndProcess = [&] (const char* id, float value, int length = 512)
        {
            setPlain (*processor, id, value);
            return processOneBlock (length);
        };

        EXPECT_EQ (processOneBlock (512), 0);
        for (const int choice : { 4, 0, 3, 1, 2, 4 })
        {
            EXPECT_EQ (setAndProcess (parameterIds::oversampling, static_cast<float> (choice)), 0) << "switch to " << choice;
            EXPECT_EQ (processOneBlock (100), 0);
        }
        EXPECT_EQ (setAndProcess (parameterIds::mix, 0.3f), 0);
        EXPECT_EQ (setAndProcess (parameterIds::drive, 1.0f), 0);
        EXPECT_EQ (setAndProcess (parameterIds::power, 0.0f), 0);
        EXPECT_EQ (setAndProcess (parameterIds::power, 1.0f), 0);
        EXPECT_EQ (processOneBlock (0), 0);
    }
}
