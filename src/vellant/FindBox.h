#pragma once
// A small modeless find dialog: it searches downwards and offers only the match-case option.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace corvana {

class TFindBox : public QDialog {
  Q_OBJECT

public:
  explicit TFindBox(QWidget *parent = nullptr);

  QString FindText() const;
  void setFindText(const QString &text);
  bool MatchCase() const;
  void setMatchCase(bool on);
  // Asks to find, as the Find Next button does.
  void FindNext();

signals:
  void find();

private:
  QLineEdit *m_text;
  QCheckBox *m_matchCase;
  QPushButton *m_findNext;
};

} // namespace corvana
