// The floor of the whole-program benchmark: PortAudio capture of the default
// input exactly as the program opens it (44100 Hz, one channel, 32-bit float,
// 256-frame blocks, the device's low input latency), and nothing else. The
// callback only counts the frames it gets. Runs until SIGTERM or SIGINT, or
// for the number of seconds given as the first argument; then prints the
// frames captured and ends with status 0 (1 when capture could not start).
#include <portaudio.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
constexpr double kSampleRate = 44100.0;
constexpr unsigned long kFramesPerBlock = 256;

std::atomic<bool> stopRequested{false};
std::atomic<unsigned long long> framesCaptured{0};

void OnSignal(int) { stopRequested = true; }

int OnBlock(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
            PaStreamCallbackFlags, void*) {
  if (input) framesCaptured.fetch_add(frames, std::memory_order_relaxed);
  return paContinue;
}

int Fail(const char* what, PaError error) {
  std::fprintf(stderr, "capture_floor: %s: %s\n", what, Pa_GetErrorText(error));
  Pa_Terminate();
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 0.0;
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);

  if (PaError e = Pa_Initialize(); e != paNoError) {
    std::fprintf(stderr, "capture_floor: Pa_Initialize: %s\n", Pa_GetErrorText(e));
    return 1;
  }
  PaStreamParameters parameters{};
  parameters.device = Pa_GetDefaultInputDevice();
  if (parameters.device == paNoDevice) return Fail("no default input", paInvalidDevice);
  parameters.channelCount = 1;
  parameters.sampleFormat = paFloat32;
  parameters.suggestedLatency = Pa_GetDeviceInfo(parameters.device)->defaultLowInputLatency;

  PaStream* stream = nullptr;
  if (PaError e = Pa_OpenStream(&stream, &parameters, nullptr, kSampleRate, kFramesPerBlock,
                                paNoFlag, &OnBlock, nullptr);
      e != paNoError)
    return Fail("Pa_OpenStream", e);
  if (PaError e = Pa_StartStream(stream); e != paNoError) return Fail("Pa_StartStream", e);
  std::printf("capture_floor: recording\n");
  std::fflush(stdout);

  const auto start = std::chrono::steady_clock::now();
  while (!stopRequested) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (seconds > 0 && std::chrono::steady_clock::now() - start >= std::chrono::duration<double>(seconds))
      break;
  }
  Pa_AbortStream(stream);
  Pa_CloseStream(stream);
  Pa_Terminate();
  std::printf("capture_floor: %llu frames\n", framesCaptured.load());
  return 0;
}
