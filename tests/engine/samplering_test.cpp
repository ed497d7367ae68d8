#include "engine/SampleRing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

std::vector<float> Sequence(float first, std::size_t count) {
  std::vector<float> values(count);
  std::iota(values.begin(), values.end(), first);
  return values;
}

struct TWrapCase {
  std::size_t capacity;
  std::size_t startOffset;  // indices advanced before the checks, so slots start mid-ring
  std::size_t blockSize;
};

class SampleRingWrapTest : public testing::TestWithParam<TWrapCase> {};

TEST_P(SampleRingWrapTest, ReadsBackEverySampleInOrderAcrossWraparound) {
  const TWrapCase c = GetParam();
  TSampleRing ring(c.capacity);
  std::vector<float> scratch(c.capacity);
  ASSERT_EQ(ring.Write(scratch.data(), c.startOffset), c.startOffset);
  ASSERT_EQ(ring.Discard(c.startOffset), c.startOffset);

  float next = 0;
  float expected = 0;
  for (int round = 0; round < 5 * int(c.capacity); ++round) {
    const std::size_t space = ring.Capacity() - ring.ReadAvailable();
    const auto block = Sequence(next, c.blockSize);
    const std::size_t stored = ring.Write(block.data(), block.size());
    ASSERT_EQ(stored, std::min(c.blockSize, space));
    next += float(stored);
    // Read a different amount than written, so reads and writes wrap at different places.
    std::vector<float> out(c.blockSize / 2 + 1);
    const std::size_t got = ring.Read(out.data(), out.size());
    ASSERT_EQ(got, std::min(out.size(), std::size_t(next - expected)));
    for (std::size_t i = 0; i < got; ++i) ASSERT_EQ(out[i], expected++) << "round " << round;
  }
  EXPECT_EQ(ring.Dropped(), std::uint64_t(5 * c.capacity * c.blockSize - std::size_t(next)));
}

INSTANTIATE_TEST_SUITE_P(Wraparound, SampleRingWrapTest,
                         testing::Values(TWrapCase{1, 0, 1}, TWrapCase{8, 0, 3}, TWrapCase{8, 5, 3},
                                         TWrapCase{8, 7, 8}, TWrapCase{16, 13, 5}, TWrapCase{16, 15, 20},
                                         TWrapCase{64, 61, 17}));

TEST(SampleRingTest, FullRingStoresWhatFitsAndCountsTheRestAsDropped) {
  TSampleRing ring(8);
  const auto first = Sequence(0, 6);
  const auto second = Sequence(6, 5);
  EXPECT_EQ(ring.Write(first.data(), first.size()), 6u);
  EXPECT_EQ(ring.Write(second.data(), second.size()), 2u);
  EXPECT_EQ(ring.Dropped(), 3u);
  EXPECT_EQ(ring.ReadAvailable(), 8u);

  EXPECT_EQ(ring.Discard(5), 5u);
  std::vector<float> out(8, -1);
  EXPECT_EQ(ring.Read(out.data(), out.size()), 3u);
  EXPECT_EQ((std::vector<float>(out.begin(), out.begin() + 3)), (std::vector<float>{5, 6, 7}));
  EXPECT_EQ(ring.Discard(4), 0u);
  EXPECT_EQ(ring.Read(out.data(), 1), 0u);
}

TEST(SampleRingTest, ResetEmptiesTheRingAndTheDropCount) {
  TSampleRing ring(4);
  const auto values = Sequence(1, 6);
  ring.Write(values.data(), values.size());
  ring.Reset();
  EXPECT_EQ(ring.ReadAvailable(), 0u);
  EXPECT_EQ(ring.Dropped(), 0u);
  ASSERT_EQ(ring.Write(values.data(), 4), 4u);
  std::vector<float> out(4);
  ASSERT_EQ(ring.Read(out.data(), 4), 4u);
  EXPECT_EQ(out, (std::vector<float>{1, 2, 3, 4}));
}

TEST(SampleRingTest, CapacityMustBeAPowerOfTwo) {
  for (std::size_t capacity : {0, 3, 12, 1000})
    EXPECT_THROW(TSampleRing{capacity}, std::invalid_argument) << capacity;
}

// One producer and one consumer thread: every sample arrives once, in order.
TEST(SampleRingTest, TwoThreadsPassASequenceWithoutLossOrReordering) {
  constexpr std::size_t kTotal = 200000;
  TSampleRing ring(64);
  std::thread producer([&ring] {
    std::size_t sent = 0;
    for (std::size_t block = 1; sent < kTotal; block = block % 17 + 1) {
      const auto values = Sequence(float(sent), std::min(block, kTotal - sent));
      std::size_t done = 0;
      while (done < values.size()) {
        done += ring.Write(values.data() + done, values.size() - done);
        if (done < values.size()) std::this_thread::yield();
      }
      sent += values.size();
    }
  });
  std::size_t received = 0;
  std::size_t mismatches = 0;
  std::vector<float> out(13);
  while (received < kTotal) {
    const std::size_t got = ring.Read(out.data(), out.size());
    for (std::size_t i = 0; i < got; ++i) mismatches += out[i] != float(received + i);
    received += got;
    if (got == 0) std::this_thread::yield();
  }
  producer.join();
  EXPECT_EQ(mismatches, 0u);
  EXPECT_EQ(ring.ReadAvailable(), 0u);
}

}  // namespace
