// The log line is written on the 10 ms sound tick, where nothing may allocate.
// This program counts every operator new while lines are written.
#include "settings/Log.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};
}  // namespace

void* operator new(std::size_t Size) {
  ++Allocations;
  if (void* Memory = std::malloc(Size == 0 ? 1 : Size)) return Memory;
  throw std::bad_alloc();
}
void operator delete(void* Memory) noexcept { std::free(Memory); }
void operator delete(void* Memory, std::size_t) noexcept { std::free(Memory); }

namespace {

TEST(LogAllocation, WriteAllocatesNothing) {
  TScratchFolder Folder;
  TLog Log;
  Log.FileName = Folder / "TALMO.Log";
  Log.Level = 1;
  Log.SetEnabled(true);
  Log.Write(1, "warm-up");  // the C library reads the time zone once

  const long Before = Allocations.load();
  for (int Tick = 0; Tick < 100; ++Tick) Log.Write(1, "-------");
  Log.Write(2, "filtered");
  const long During = Allocations.load() - Before;

  EXPECT_EQ(During, 0);
  EXPECT_NE(FileText(Log.FileName).find("-------\r\n"), std::string::npos);
}

}  // namespace
