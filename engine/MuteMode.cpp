#include "engine/MuteMode.h"

#include "controls/Led1.h"
#include "platform/Button.h"
#include "platform/Timer.h"

namespace {
constexpr const char* kMuteOffCaption = "MUTE";
constexpr const char* kMuteOnCaption = "MUTED";
constexpr unsigned kBlinkMs = 500;

struct LedColours {
  TColor color1, color2, offColor1, offColor2;
};
constexpr LedColours kMuteOffColours{clGreen, clLime, clBlack, clGreen};
constexpr LedColours kMuteOnColours{clMaroon, clRed, clBlack, clRed};

void SetLedColours(TLed& led, const LedColours& c) {
  led.SetColor1(c.color1);
  led.SetColor2(c.color2);
  led.SetOffColor1(c.offColor1);
  led.SetOffColor2(c.offColor2);
}
}  // namespace

bool MuteIsOff(const TButton& muteButton) { return muteButton.Caption() == kMuteOffCaption; }

void TMuteMode::MuteButtonClick() {
  if (MuteIsOff(p_.MuteButton))
    MuteOn();
  else
    MuteOff();
}

void TMuteMode::MuteOn() {
  p_.MuteButton.SetFontColor(clRed);
  p_.MuteButton.SetFontBold(true);
  p_.MuteButton.SetCaption(kMuteOnCaption);
  SetLedColours(p_.LED, kMuteOnColours);
  // LED.On keeps its value: a transmitter keyed before muting still shows.
  p_.MuteButton.update();
  p_.LED.Paint();
  p_.TimerBlink.SetInterval(kBlinkMs);
  p_.TimerBlink.SetEnabled(true);
  if (p_.Menus) {
    p_.Menus->SetPopupMuteCaption("Muted");
    p_.Menus->SetSystemMenuMuteItem("Muted", true);
  }
}

void TMuteMode::MuteOff() {
  p_.MuteButton.SetFontColor(clBlack);
  p_.MuteButton.SetFontBold(false);
  p_.MuteButton.SetCaption(kMuteOffCaption);
  SetLedColours(p_.LED, kMuteOffColours);
  p_.LED.SetOn(false);
  p_.MuteButton.update();
  p_.LED.Paint();
  p_.TimerBlink.SetInterval(0);
  p_.TimerBlink.SetEnabled(false);
  if (p_.Menus) {
    p_.Menus->SetPopupMuteCaption("Mute");
    p_.Menus->SetSystemMenuMuteItem("Mute", false);
  }
}

void TMuteMode::TimerBlinkTimer() {
  if (!MuteIsOff(p_.MuteButton)) {
    p_.LED.SetOn(!p_.LED.On());
    return;
  }
  p_.TimerBlink.SetEnabled(false);
  p_.TimerBlink.SetInterval(0);
  p_.LED.SetOn(false);
}
