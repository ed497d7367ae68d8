#pragma once
// The About box: a fixed-size dialog with the program's icon, four text lines and
// an OK button. TAboutDlg builds a fresh one for every showing and frees it after.

#include <QDialog>
#include <QIcon>
#include <QString>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
 public:
  // Modal results the box ends with; nobody reads them, they say how it was closed.
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;
  // Designed widths of the two wrapping lines.
  static constexpr int ProgrammerWidth = 59;
  static constexpr int WebsiteWidth = 44;

  explicit TAboutBox(QWidget* parent = nullptr);

  // Sets the four lines; each label sizes itself to its text.
  void SetTexts(const QString& productName, const QString& copyright, const QString& programmer,
                const QString& website);
  // Shows the icon centred in the picture area, at most 48 x 48, never stretched.
  void SetPicture(const QIcon& icon);

  void OKButtonClick();

  // Closing through the caption's button or Alt+F4 ends the box with Cancel.
  void reject() override;

  QFrame* Panel1;
  QLabel* ProductName;
  QLabel* Copyright;
  QLabel* Programmer;
  QPushButton* OKButton;
  QFrame* Panel2;
  QLabel* Image1;
  QLabel* Website;

 protected:
  // The box has no cancel button, so Escape does nothing.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreatePanels();
  void CreateLabels();
  void CreateOKButton();
};
