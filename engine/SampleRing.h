#pragma once
// A lock-free single-producer, single-consumer ring of audio samples over
// storage allocated once. The capture callback writes; the UI thread reads.
//
// Both indices only grow (64 bits never wrap in practice); a slot is the index
// masked with the power-of-two capacity. Memory ordering:
// - the producer fills slots, then stores writeIndex_ with release; the
//   consumer loads writeIndex_ with acquire, so it sees those samples;
// - the consumer copies slots out, then stores readIndex_ with release; the
//   producer loads readIndex_ with acquire, so it never overwrites a slot that
//   is still being read.
// Each side loads its own index relaxed: only it writes that index.
// When the ring is full the producer drops the rest of its block and counts it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class TSampleRing {
 public:
  // capacity: a power of two, at least 1.
  explicit TSampleRing(std::size_t capacity);
  TSampleRing(const TSampleRing&) = delete;
  TSampleRing& operator=(const TSampleRing&) = delete;

  std::size_t Capacity() const { return mask_ + 1; }

  // Producer side. Stores as many samples as fit; answers how many.
  std::size_t Write(const float* samples, std::size_t count);
  // Samples the producer had to drop because the ring was full.
  std::uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

  // Consumer side.
  std::size_t ReadAvailable() const;
  std::size_t Read(float* out, std::size_t count);
  // Skips up to count of the oldest samples; answers how many.
  std::size_t Discard(std::size_t count);

  // Empties the ring. Only while neither side is running.
  void Reset();

 private:
  std::unique_ptr<float[]> slots_;
  const std::size_t mask_;
  // Apart, so the two threads do not share a cache line for their indices.
  alignas(64) std::atomic<std::size_t> writeIndex_{0};
  alignas(64) std::atomic<std::size_t> readIndex_{0};
  std::atomic<std::uint64_t> dropped_{0};

  static_assert(std::atomic<std::size_t>::is_always_lock_free);
};
