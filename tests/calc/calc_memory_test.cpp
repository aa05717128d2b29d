// ReadMatrix works in constant extra memory: it must not allocate, however long the line.
// The whole test program counts the allocations made on each thread.
#include "calc/calc.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <string>

namespace {
thread_local std::size_t allocations = 0;
} // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
// The non-throwing form too (GoogleTest allocates with it): whatever is freed by the delete
// below must come from malloc.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace mezolin {
namespace {

std::size_t AllocationsDuring(const std::string& line) {
    const std::size_t before = allocations;
    const auto matrix = ReadMatrix(line);
    const std::size_t after = allocations;
    EXPECT_TRUE(matrix.has_value() || matrix.error() == EntryError::WrongCount);
    return after - before;
}

TEST(ReadMatrixMemory, NoAllocationForLongLines) {
    const std::string spaces(1u << 20, ' ');
    EXPECT_EQ(AllocationsDuring(spaces), 0u);

    std::string longPieces;
    for (int k = 0; k < 16; ++k) {
        if (k > 0) {
            longPieces += ' ';
        }
        longPieces.append("1.").append(1u << 16, '5');
    }
    EXPECT_EQ(AllocationsDuring(longPieces), 0u);
    EXPECT_EQ(AllocationsDuring("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"), 0u);
}

TEST(ReadMatrixMemory, CounterSeesAllocations) {
    // Guards the check above: SplitOnSpace does allocate, so the counter must notice.
    const std::size_t before = allocations;
    const auto pieces = mezolin::SplitOnSpace("1 2 3");
    EXPECT_GT(allocations, before);
    EXPECT_EQ(pieces.size(), 3u);
}

} // namespace
} // namespace mezolin
