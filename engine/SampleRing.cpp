#include "engine/SampleRing.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

TSampleRing::TSampleRing(std::size_t capacity)
    : slots_(std::make_unique<float[]>(capacity)), mask_(capacity - 1) {
  if (!std::has_single_bit(capacity))
    throw std::invalid_argument("ring capacity must be a power of two");
}

std::size_t TSampleRing::Write(const float* samples, std::size_t count) {
  const std::size_t write = writeIndex_.load(std::memory_order_relaxed);
  const std::size_t read = readIndex_.load(std::memory_order_acquire);
  const std::size_t stored = std::min(count, Capacity() - (write - read));
  const std::size_t slot = write & mask_;
  const std::size_t first = std::min(stored, Capacity() - slot);
  std::memcpy(&slots_[slot], samples, first * sizeof(float));
  std::memcpy(&slots_[0], samples + first, (stored - first) * sizeof(float));
  writeIndex_.store(write + stored, std::memory_order_release);
  if (stored < count) dropped_.fetch_add(count - stored, std::memory_order_relaxed);
  return stored;
}

std::size_t TSampleRing::ReadAvailable() const {
  return writeIndex_.load(std::memory_order_acquire) - readIndex_.load(std::memory_order_relaxed);
}

std::size_t TSampleRing::Read(float* out, std::size_t count) {
  const std::size_t read = readIndex_.load(std::memory_order_relaxed);
  const std::size_t taken = std::min(count, writeIndex_.load(std::memory_order_acquire) - read);
  const std::size_t slot = read & mask_;
  const std::size_t first = std::min(taken, Capacity() - slot);
  std::memcpy(out, &slots_[slot], first * sizeof(float));
  std::memcpy(out + first, &slots_[0], (taken - first) * sizeof(float));
  readIndex_.store(read + taken, std::memory_order_release);
  return taken;
}

std::size_t TSampleRing::Discard(std::size_t count) {
  const std::size_t read = readIndex_.load(std::memory_order_relaxed);
  const std::size_t skipped = std::min(count, writeIndex_.load(std::memory_order_acquire) - read);
  readIndex_.store(read + skipped, std::memory_order_release);
  return skipped;
}

void TSampleRing::Reset() {
  writeIndex_.store(0, std::memory_order_relaxed);
  readIndex_.store(0, std::memory_order_relaxed);
  dropped_.store(0, std::memory_order_relaxed);
}
