#pragma once
// The modeless replace dialog: the find dialog with a replacement text and the Replace and
// Replace All buttons. ReplaceAll() tells the window which of the two was pressed.

#include "controls/FindDialog.h"

namespace corvana {

class TReplaceDialog : public TFindDialog {
  Q_OBJECT

public:
  explicit TReplaceDialog(QWidget *parent = nullptr);

  QString ReplaceText() const { return m_replacement; }
  void SetReplaceText(const QString &text);
  // Whether the last replace request came from Replace All.
  bool ReplaceAll() const { return m_replaceAll; }

  // What the buttons do: ask the window to replace once or everywhere (nothing without a
  // search text).
  void Replace();
  void ReplaceAllClick();

  QPushButton *replaceButton();
  QPushButton *replaceAllButton();

signals:
  void replace();

protected:
  void buildMoreControls() override;

private:
  void request(bool all);

  QString m_replacement;
  QLineEdit *m_replaceText = nullptr;
  QPushButton *m_replace = nullptr;
  QPushButton *m_replaceAllButton = nullptr;
  bool m_replaceAll = false;
};

} // namespace corvana
