#pragma once
// The modeless find dialog of the text windows: a search text with the options a window asks
// for (match case, whole word, direction), and a Find Next button that asks the window to
// search. The dialog only collects the request; the window does the searching. Every window
// holds its dialogs from the start, so the controls are built when a dialog is first shown;
// until then the dialog keeps its settings itself.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGridLayout;

namespace corvana {

class TFindDialog : public QDialog {
  Q_OBJECT

public:
  explicit TFindDialog(QWidget *parent = nullptr);

  QString FindText() const { return m_text; }
  void SetFindText(const QString &text);
  bool MatchCase() const { return m_matchCase; }
  void SetMatchCase(bool on);
  bool WholeWord() const { return m_wholeWord; }
  void SetWholeWord(bool on);
  // The direction the dialog shows; true for down.
  bool Down() const { return m_down; }
  void SetDown(bool down);
  // Which option controls the dialog offers.
  void SetShowWholeWord(bool show);
  void SetShowDirection(bool show);

  // Shows the dialog without blocking, in front, with its search text selected.
  void Execute();
  // Hides the dialog (the window's "close the dialog").
  void CloseDialog();
  // What the Find Next button does: asks the window to find, unless the text is empty.
  void FindNext();

  QPushButton *findNextButton();
  void setVisible(bool visible) override;

signals:
  void find();

protected:
  // Builds the controls once, from the settings kept so far.
  void ensureControls();
  // For the replace dialog, called once the find controls stand: rows above the options and
  // buttons below Find Next go into grid() and addButton.
  virtual void buildMoreControls() {}
  QGridLayout *grid() const { return m_grid; }
  void addButton(QPushButton *button);
  void updateButtons();

private:
  QString m_text;
  bool m_matchCase = false;
  bool m_wholeWord = false;
  bool m_down = true;
  bool m_showWholeWord = true;
  bool m_showDirection = true;

  QLineEdit *m_findText = nullptr;
  QCheckBox *m_matchCaseBox = nullptr;
  QCheckBox *m_wholeWordBox = nullptr;
  QGroupBox *m_direction = nullptr;
  QRadioButton *m_up = nullptr;
  QRadioButton *m_downButton = nullptr;
  QPushButton *m_findNext = nullptr;
  QPushButton *m_cancel = nullptr;
  QGridLayout *m_grid = nullptr;
  QWidget *m_buttons = nullptr;
};

} // namespace corvana
