#pragma once
// Keying: a trigger raises DTR and RTS, lights the LED and starts the hang timer
// afresh; when the hang timer runs out with no new trigger, both lines drop.
// The hang time is DelayTrack's position × 20 ms, taken at each trigger.

class TTimer;
class TTrackBar;
class TLed;
class TSerialLines;

class TKeying {
 public:
  struct Parts {
    TTimer& TimerLED;
    TTrackBar& DelayTrack;
    TLed& LED;
    TSerialLines& ComPort;
  };
  explicit TKeying(const Parts& parts) : p_(parts) {}

  // Every trigger restarts the full hang time, so the release comes one hang time
  // after the last trigger. A refused line change leaves the earlier steps done.
  void SquelchOn();
  void SquelchOff();
  void TimerLEDTimer() { SquelchOff(); }
  // Shows the hang time as the delay bar's selection; a running hang time is left alone.
  void DelayTrackChange();

  bool TxActive = false;

 private:
  Parts p_;
};
