#pragma once
// The modeless find dialog of the text windows: a search text with the options a window asks
// for (match case, whole word, direction), and a Find Next button that asks the window to
// search. The dialog only collects the request; the window does the searching.

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

  QString FindText() const;
  void SetFindText(const QString &text);
  bool MatchCase() const;
  void SetMatchCase(bool on);
  bool WholeWord() const;
  void SetWholeWord(bool on);
  // The direction the dialog shows; true for down.
  bool Down() const;
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

  QPushButton *findNextButton() const { return m_findNext; }

signals:
  void find();

protected:
  // For the replace dialog: rows above the options and buttons below Find Next.
  QGridLayout *grid() const { return m_grid; }
  void addButton(QPushButton *button);
  void updateButtons();

private:
  QLineEdit *m_findText;
  QCheckBox *m_matchCase;
  QCheckBox *m_wholeWord;
  QGroupBox *m_direction;
  QRadioButton *m_up;
  QRadioButton *m_down;
  QPushButton *m_findNext;
  QPushButton *m_cancel;
  QGridLayout *m_grid;
  QWidget *m_buttons;
};

} // namespace corvana
