#pragma once
// Where recorded samples come from: the sound card through PortAudio in the
// program (TPortAudioInput), a feed of known samples in tests.

#include <cstddef>

class TAudioInput {
 public:
  // Receives each recorded block of mono float samples on the input's own
  // thread; answering false ends the recording. It must not allocate, lock or block.
  using TBlockHandler = bool (*)(const float* samples, std::size_t count, void* context);

  virtual ~TAudioInput() = default;

  // Brings up the audio system; true when it is up. Repeated calls are harmless.
  virtual bool Initialize() = 0;
  // Stops any recording and shuts the audio system down. Repeated calls are harmless.
  virtual void Terminate() = 0;
  // Whether the default input device can record mono float samples at this rate.
  virtual bool CanRecord(double sampleRate) = 0;
  // Starts recording from the default input device; false when it can not.
  virtual bool Start(double sampleRate, TBlockHandler handler, void* context) = 0;
  // True only while blocks are really being delivered.
  virtual bool IsRunning() = 0;
  // Stops recording; the handler is not called afterwards.
  virtual void Stop() = 0;
};
