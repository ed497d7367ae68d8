#pragma once
// How the program's message boxes are shown. The program uses Qt's boxes; tests
// install a scripted implementation that records each box and gives the answer.

#include <string>

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // A plain box with an OK button.
  virtual void Message(const std::string& caption, const std::string& text) = 0;
  // A box with the error icon and one OK button.
  virtual void Error(const std::string& caption, const std::string& text) = 0;
  // OK and Cancel, no icon; true for OK.
  virtual bool OkCancel(const std::string& caption, const std::string& text) = 0;
};

// Qt's message boxes.
TDialogs& QtDialogs();
