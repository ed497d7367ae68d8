#pragma once
// The About component: holds the texts, the icon and the auto-close option, and
// shows them in a fresh TAboutBox on every Execute. The owner (the main window)
// destroys it.

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAboutBox;
class TTimer;

class TAboutDlg : public QObject {
 public:
  static constexpr unsigned AutoCloseInterval = 15000;

  explicit TAboutDlg(QObject* Owner);
  // Stops and frees any auto-close timer, then the icon.
  ~TAboutDlg() override;
  TAboutDlg(const TAboutDlg&) = delete;
  TAboutDlg& operator=(const TAboutDlg&) = delete;

  // Read by Execute each time it shows a box.
  std::string Title;
  std::string ProductName;
  std::string CopyRight;
  std::string Programmer;
  std::string WebSite;
  // Close the box by itself after AutoCloseInterval.
  bool Timer = false;

  const QIcon& Icon() const { return icon_; }
  // Keeps a copy of the picture; the caller keeps its own.
  void SetIcon(const QIcon& Picture);

  // Builds, fills and shows a fresh box modally; returns when it has been closed.
  // The box is freed on every path, and an error while filling or showing it
  // reaches the caller after that. May be entered again from the box's own modal
  // loop (the tray menu still works): the new box opens on top, and each call frees
  // the box it created.
  void Execute();

  // The box on top while Execute shows it, nullptr otherwise.
  TAboutBox* Box() const;
  // The auto-close timer of the box on top, nullptr when none runs.
  const TTimer* CloseTimer() const;

  // Tests: replaces showing the box modally; empty shows it with its own modal loop.
  std::function<void(TAboutBox&)> ShowModal;

 private:
  // One running Execute: its box and its auto-close timer, which lives no longer
  // than the showing, so it can never act on a box that is gone.
  struct TShowing {
    TAboutBox* box = nullptr;
    std::unique_ptr<TTimer> closeTimer;
  };

  void StartCloseTimer(TShowing& showing);
  void AutoClose(TShowing& showing);

  QIcon icon_;
  std::vector<TShowing*> showings_;  // innermost last
};
