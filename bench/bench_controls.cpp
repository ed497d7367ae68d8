// Cost of one spectrum frame (the 10 ms tick draws one) and of one LED paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>

#include "controls/Led1.h"
#include "controls/spectrum_vis.h"
#include "platform/Bitmap.h"
#include "platform/PaintBox.h"

namespace {

// The main window's settings for the display.
void ProgramSettings(TSpectrum& s) {
  s.BackColor = 0x000000;
  s.BinStep = 2;
  s.MaxBarHeight = 300;
  s.BarColor = 0xFFFF00;
  s.BarWidth = 3;
  s.PeakColor = 0x0000FF;
  s.ShowPeaks = true;
  s.BarFall = 3;
  s.PeakFall = 1;
  s.DrawStyle = 1;
}

// Two alternating spectra, so bars rise, fall and peaks drift as with speech.
void Spectra(TFFTBlock& loud, TFFTBlock& quiet) {
  for (int i = 0; i < kFFTBlockSize; ++i) {
    loud[i] = 0.3f * std::fabs(std::sin(i * 0.07f)) + 0.05f;
    quiet[i] = 0.1f * std::fabs(std::cos(i * 0.05f));
  }
}

template <typename Destination>
void DrawFrames(benchmark::State& state, Destination& destination) {
  TSpectrum spectrum(161, 137);
  ProgramSettings(spectrum);
  TFFTBlock loud{}, quiet{};
  Spectra(loud, quiet);
  bool flip = false;
  for (auto _ : state) {
    spectrum.Draw(destination, flip ? loud : quiet, 5, -5);
    flip = !flip;
  }
  benchmark::DoNotOptimize(spectrum.BarLevels);
}

void BM_SpectrumDrawToBitmap(benchmark::State& state) {
  TBitmap destination(161, 137);
  DrawFrames(state, destination);
}
BENCHMARK(BM_SpectrumDrawToBitmap);

void BM_SpectrumDrawToPaintBox(benchmark::State& state) {
  TPaintBox box;
  box.resize(161, 137);
  DrawFrames(state, box);
}
BENCHMARK(BM_SpectrumDrawToPaintBox);

void BM_LedPaint(benchmark::State& state) {
  TLed led;
  led.resize(30, 29);
  led.SetStyle(lsGradient2);
  led.SetRadius(3);
  led.SetColor1(0x008000);
  led.SetColor2(0x00FF00);
  led.SetOn(true);
  for (auto _ : state) led.Paint();
  benchmark::DoNotOptimize(led.PaintCount());
}
BENCHMARK(BM_LedPaint);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
