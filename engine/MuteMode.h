#pragma once
// Mute mode blocks keying while everything else goes on. Its state is the mute
// button's caption: "MUTE" means mute is off (the button offers to mute).

#include <string>

class TButton;
class TLed;
class TTimer;

// The two menu items that show the mute state: the tray pop-up's first item and
// the window menu's mute command.
class TMuteMenuItems {
 public:
  virtual ~TMuteMenuItems() = default;
  virtual void SetPopupMuteCaption(const std::string& caption) = 0;
  virtual void SetSystemMenuMuteItem(const std::string& text, bool checked) = 0;
};

// True when the caption says mute is off.
bool MuteIsOff(const TButton& muteButton);

class TMuteMode {
 public:
  struct Parts {
    TButton& MuteButton;
    TLed& LED;
    TTimer& TimerBlink;
    TMuteMenuItems* Menus;  // none until the menus exist
  };
  explicit TMuteMode(const Parts& parts) : p_(parts) {}

  void MuteButtonClick();
  void TimerBlinkTimer();
  void SetMenus(TMuteMenuItems* menus) { p_.Menus = menus; }

 private:
  void MuteOn();
  void MuteOff();

  Parts p_;
};
