#pragma once
// The modeless replace dialog: the find dialog with a replacement text and the Replace and
// Replace All buttons. ReplaceAll() tells the window which of the two was pressed.

#include "controls/FindDialog.h"

namespace corvana {

class TReplaceDialog : public TFindDialog {
  Q_OBJECT

public:
  explicit TReplaceDialog(QWidget *parent = nullptr);

  QString ReplaceText() const;
  void SetReplaceText(const QString &text);
  // Whether the last replace request came from Replace All.
  bool ReplaceAll() const { return m_replaceAll; }

  // What the buttons do: ask the window to replace once or everywhere (nothing without a
  // search text).
  void Replace();
  void ReplaceAllClick();

  QPushButton *replaceButton() const { return m_replace; }
  QPushButton *replaceAllButton() const { return m_replaceAllButton; }

signals:
  void replace();

private:
  void request(bool all);

  QLineEdit *m_replaceText;
  QPushButton *m_replace;
  QPushButton *m_replaceAllButton;
  bool m_replaceAll = false;
};

} // namespace corvana
