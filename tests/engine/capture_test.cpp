#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "engine/PortAudioCapture.h"
#include "support/FeedAudioInput.h"

namespace {

using TSpectrum = std::vector<float>;

constexpr DWORD kRate = TPortAudioCapture::kSampleRate;

// A sine centred on an FFT bin: exactly `bin` periods in every 1024 samples.
std::vector<float> Tone(int bin, double dBFS, std::size_t count, std::size_t firstSample = 0) {
  const double amplitude = std::pow(10.0, dBFS / 20.0);
  std::vector<float> samples(count);
  for (std::size_t n = 0; n < count; ++n)
    samples[n] =
        float(amplitude * std::sin(2.0 * std::numbers::pi * bin * double(firstSample + n) / 1024.0));
  return samples;
}

// The entries the level meter reads with its bin step of 2: 5, 7, ..., 259.
std::vector<int> MeterEntries() {
  std::vector<int> entries;
  for (int i = 0; i < 128; ++i) entries.push_back(5 + 2 * i);
  return entries;
}

// The capture layer with a feed of known samples in place of the sound card.
struct TFedCapture {
  explicit TFedCapture(TFeedAudioInput::TScript script = {}) {
    auto input = std::make_unique<TFeedAudioInput>(script);
    feed = input.get();
    capture = std::make_unique<TPortAudioCapture>(std::move(input));
  }

  // The program's start-up sequence.
  HRECORD Start() {
    capture->BASS_Init(-1, kRate, 0, nullptr, nullptr);
    if (!capture->BASS_RecordInit(-1)) return 0;
    return capture->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr);
  }

  TSpectrum Fetch(HRECORD channel) {
    TSpectrum spectrum(TSpectrumAnalyzer::kEntryCount, -1.0f);
    EXPECT_EQ(capture->BASS_ChannelGetData(channel, spectrum.data(), BASS_DATA_FFT1024),
              int(spectrum.size() * sizeof(float)));
    return spectrum;
  }

  TFeedAudioInput* feed;
  std::unique_ptr<TPortAudioCapture> capture;
};

class CaptureTest : public testing::Test {
 protected:
  HRECORD Start() { return fed_.Start(); }
  TSpectrum Fetch(HRECORD channel) { return fed_.Fetch(channel); }

  TFedCapture fed_;
  TFeedAudioInput* feed_ = fed_.feed;
  TPortAudioCapture* capture_ = fed_.capture.get();
};

struct TToneCase {
  int bin;
  double dBFS;
  float magnitude;
};

class CaptureToneTest : public CaptureTest, public testing::WithParamInterface<TToneCase> {};

TEST_P(CaptureToneTest, ToneShowsItsAmplitudeAtItsBinAndNothingElseTheMeterReads) {
  const TToneCase c = GetParam();
  const HRECORD channel = Start();
  ASSERT_NE(channel, 0u);
  feed_->Feed(Tone(c.bin, c.dBFS, 3000));
  const TSpectrum spectrum = Fetch(channel);
  EXPECT_NEAR(spectrum[c.bin], c.magnitude, 0.01f);
  for (int entry : MeterEntries()) {
    if (entry == c.bin) continue;
    EXPECT_LT(spectrum[entry], 0.01f) << "entry " << entry;
  }
  EXPECT_EQ(spectrum[512], 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Scale, CaptureToneTest,
                         testing::Values(TToneCase{9, -6.0, 0.5f}, TToneCase{9, 0.0, 1.0f},
                                         TToneCase{41, -20.0, 0.1f}, TToneCase{259, -6.0, 0.5f}));

TEST_F(CaptureTest, SilenceGivesAllZeros) {
  const HRECORD channel = Start();
  feed_->Feed(std::vector<float>(2048, 0.0f));
  EXPECT_EQ(Fetch(channel), TSpectrum(TSpectrumAnalyzer::kEntryCount, 0.0f));
}

TEST_F(CaptureTest, FewerThan1024SamplesCountTheMissingOnesAsSilence) {
  const HRECORD channel = Start();
  EXPECT_EQ(Fetch(channel), TSpectrum(TSpectrumAnalyzer::kEntryCount, 0.0f)) << "nothing recorded yet";

  const std::vector<float> part = Tone(9, -6.0, 300);
  feed_->Feed(part);
  const TSpectrum partial = Fetch(channel);

  TFedCapture padded;
  const HRECORD paddedChannel = padded.Start();
  padded.feed->Feed(std::vector<float>(1024 - part.size(), 0.0f));
  padded.feed->Feed(part);
  EXPECT_EQ(partial, padded.Fetch(paddedChannel));
  EXPECT_GT(partial[9], 0.05f) << "the recorded part is analysed";
}

// Ticks fetch while audio keeps coming, far past the ring's size: each fetch
// analyses the newest 1024 samples.
TEST_F(CaptureTest, EveryFetchAnalysesTheNewest1024Samples) {
  const HRECORD channel = Start();
  std::size_t recorded = 0;
  for (int tick = 0; tick < 200; ++tick) {
    const int bin = tick % 2 == 0 ? 9 : 31;
    feed_->Feed(Tone(bin, -6.0, 441 * 3, recorded), 113);
    recorded += 441 * 3;
    const TSpectrum spectrum = Fetch(channel);
    ASSERT_NEAR(spectrum[bin], 0.5f, 0.01f) << "tick " << tick;
    ASSERT_LT(spectrum[bin == 9 ? 31 : 9], 0.01f) << "tick " << tick;
  }
  EXPECT_GT(recorded, 2 * TPortAudioCapture::kRingCapacity);
  EXPECT_EQ(capture_->DroppedSamples(), 0u);
}

TEST_F(CaptureTest, AudioBeyondTheRingIsDroppedAndLaterAudioStillArrives) {
  const HRECORD channel = Start();
  feed_->Feed(Tone(31, -6.0, TPortAudioCapture::kRingCapacity + 5000));
  EXPECT_EQ(capture_->DroppedSamples(), 5000u);
  EXPECT_NEAR(Fetch(channel)[31], 0.5f, 0.01f);
  feed_->Feed(Tone(9, -6.0, 1024));
  const TSpectrum spectrum = Fetch(channel);
  EXPECT_NEAR(spectrum[9], 0.5f, 0.01f);
  EXPECT_LT(spectrum[31], 0.01f);
}

TEST_F(CaptureTest, ChannelIsActiveOnlyWhileItsRecordingRuns) {
  EXPECT_EQ(capture_->BASS_ChannelIsActive(0), BASS_ACTIVE_STOPPED) << "before start";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(1), BASS_ACTIVE_STOPPED) << "before start";
  const HRECORD channel = Start();
  ASSERT_NE(channel, 0u);
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_PLAYING) << "running";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(0), BASS_ACTIVE_STOPPED) << "handle 0";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel + 1), BASS_ACTIVE_STOPPED) << "other handle";
  EXPECT_TRUE(capture_->BASS_Free());
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED) << "after free";
  EXPECT_FALSE(capture_->BASS_Free()) << "second free has nothing to do";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED) << "after second free";
  float buffer[TSpectrumAnalyzer::kEntryCount] = {};
  EXPECT_EQ(capture_->BASS_ChannelGetData(channel, buffer, BASS_DATA_FFT1024), -1) << "after free";
}

TEST_F(CaptureTest, ChannelStopsBeingActiveWhenTheDeviceGoesAway) {
  const HRECORD channel = Start();
  feed_->Vanish();
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
  const HRECORD restarted = capture_->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr);
  EXPECT_NE(restarted, 0u);
  EXPECT_NE(restarted, channel) << "a new recording is a new channel";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
  EXPECT_EQ(capture_->BASS_ChannelIsActive(restarted), BASS_ACTIVE_PLAYING);
}

TEST_F(CaptureTest, GetDataRefusesUnknownChannelsAndFlagsAndLeavesTheBufferAlone) {
  const HRECORD channel = Start();
  feed_->Feed(Tone(9, 0.0, 2048));
  struct {
    HRECORD handle;
    DWORD flags;
  } const refused[] = {
      {0, BASS_DATA_FFT1024}, {channel + 1, BASS_DATA_FFT1024}, {channel, 0x80000003}, {channel, 0}};
  for (const auto& r : refused) {
    TSpectrum buffer(TSpectrumAnalyzer::kEntryCount, -1.0f);
    EXPECT_EQ(capture_->BASS_ChannelGetData(r.handle, buffer.data(), r.flags), -1)
        << r.handle << " " << r.flags;
    EXPECT_EQ(buffer, TSpectrum(TSpectrumAnalyzer::kEntryCount, -1.0f));
  }
}

TEST_F(CaptureTest, RecordingOpensOneMonoChannelAt44100) {
  EXPECT_EQ(capture_->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr), 0u) << "before record init";
  capture_->BASS_Init(-1, kRate, 0, nullptr, nullptr);
  EXPECT_FALSE(capture_->BASS_RecordInit(0)) << "only the default device";
  ASSERT_TRUE(capture_->BASS_RecordInit(-1));
  EXPECT_EQ(capture_->BASS_RecordStart(kRate, 2, 0, &RecordProc, nullptr), 0u) << "stereo";
  EXPECT_EQ(capture_->BASS_RecordStart(0, 1, 0, &RecordProc, nullptr), 0u) << "no rate";
  const HRECORD channel = capture_->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr);
  EXPECT_NE(channel, 0u);
  EXPECT_EQ(feed_->SampleRate(), 44100.0);
  EXPECT_EQ(capture_->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr), 0u)
      << "one channel at a time";
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_PLAYING);
}

struct TFailureCase {
  const char* name;
  TFeedAudioInput::TScript script;
  bool recordInit;
};

class CaptureFailureTest : public testing::TestWithParam<TFailureCase> {};

TEST_P(CaptureFailureTest, FailingDeviceGivesFalseOrChannelZero) {
  const TFailureCase c = GetParam();
  TFedCapture fed(c.script);
  fed.capture->BASS_Init(-1, kRate, 0, nullptr, nullptr);
  EXPECT_EQ(fed.capture->BASS_RecordInit(-1), c.recordInit);
  EXPECT_EQ(fed.capture->BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr), 0u);
  EXPECT_EQ(fed.capture->BASS_ChannelIsActive(0), BASS_ACTIVE_STOPPED);
  EXPECT_FALSE(fed.feed->IsRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Devices, CaptureFailureTest,
    testing::Values(TFailureCase{"NoAudioSystem", {.initializeWorks = false}, false},
                    TFailureCase{"NoInputDevice", {.canRecord = false}, false},
                    TFailureCase{"StreamWontStart", {.startWorks = false}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CaptureTest, InitAndFreeBracketTheAudioSystemOnce) {
  EXPECT_TRUE(capture_->BASS_Init(-1, kRate, 0, nullptr, nullptr));
  EXPECT_TRUE(capture_->BASS_Init(-1, kRate, 0, nullptr, nullptr));
  EXPECT_TRUE(capture_->BASS_RecordInit(-1));
  EXPECT_EQ(feed_->InitializeCount(), 1);
  capture_->BASS_Free();
  capture_->BASS_Free();
  EXPECT_EQ(feed_->TerminateCount(), 1);
  EXPECT_FALSE(feed_->Initialized());
  EXPECT_NE(Start(), 0u) << "the library can be brought up again";
  EXPECT_EQ(feed_->InitializeCount(), 2);
}

struct TProcLog {
  int calls = 0;
  HRECORD handle = 0;
  DWORD bytes = 0;
  float firstSample = 0;
  bool goOn = true;
};

TEST_F(CaptureTest, RecordProcedureSeesEachBlockAndCanEndTheRecording) {
  TProcLog log;
  RECORDPROC* proc = [](HRECORD handle, const void* buffer, DWORD length, void* user) {
    auto* l = static_cast<TProcLog*>(user);
    ++l->calls;
    l->handle = handle;
    l->bytes = length;
    l->firstSample = *static_cast<const float*>(buffer);
    return l->goOn;
  };
  capture_->BASS_Init(-1, kRate, 0, nullptr, nullptr);
  ASSERT_TRUE(capture_->BASS_RecordInit(-1));
  const HRECORD channel = capture_->BASS_RecordStart(kRate, 1, 0, proc, &log);
  feed_->Feed(std::vector<float>(300, 0.25f), 200);
  EXPECT_EQ(log.calls, 2);
  EXPECT_EQ(log.handle, channel);
  EXPECT_EQ(log.bytes, 100 * sizeof(float));
  EXPECT_EQ(log.firstSample, 0.25f);

  log.goOn = false;
  feed_->Feed(std::vector<float>(300, 0.25f), 200);
  EXPECT_EQ(log.calls, 3);
  EXPECT_EQ(capture_->BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
}

TEST(RecordProcTest, IgnoresItsArgumentsAndGoesOn) {
  const float block[4] = {1, 2, 3, 4};
  EXPECT_TRUE(RecordProc(0, nullptr, 0, nullptr));
  EXPECT_TRUE(RecordProc(7, block, sizeof block, const_cast<float*>(block)));
}

// The sound card through PortAudio: on a machine without one every step must
// fail cleanly; with one, the channel runs. Either way nothing hangs or crashes.
TEST(PortAudioCaptureTest, RealDeviceEitherRecordsOrFailsCleanly) {
  TPortAudioCapture capture;
  capture.BASS_Init(-1, kRate, 0, nullptr, nullptr);
  const bool ready = capture.BASS_RecordInit(-1);
  const HRECORD channel = capture.BASS_RecordStart(kRate, 1, 0, &RecordProc, nullptr);
  if (!ready) {
    EXPECT_EQ(channel, 0u);
  }
  EXPECT_EQ(capture.BASS_ChannelIsActive(channel),
            channel == 0 ? BASS_ACTIVE_STOPPED : BASS_ACTIVE_PLAYING);
  float buffer[TSpectrumAnalyzer::kEntryCount] = {};
  EXPECT_EQ(capture.BASS_ChannelGetData(channel, buffer, BASS_DATA_FFT1024) == -1, channel == 0);
  capture.BASS_Free();
  EXPECT_EQ(capture.BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
  capture.BASS_Free();
}

}  // namespace
