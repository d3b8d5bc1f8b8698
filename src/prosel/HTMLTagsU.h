#pragma once
// The tag picker: a modal list of HTML tags, each heading followed by its attributes, from which
// the editor takes an attribute name while a tag is being typed. Enter chooses, Backspace declines.

#include "platform/Forms.h"

class QListView;

namespace corvana {

class THTMLTagsF : public TForm {
  Q_OBJECT

public:
  THTMLTagsF();

  void FormCreate() override;

  // Selects the first item equal to `text`, letter case ignored; false when there is none.
  bool SelectItem(const QString &text);
  // The selected item's text, empty when none is selected.
  QString SelectedItem() const;
  static bool IsHeading(const QString &item) { return item.startsWith(QLatin1Char('<')); }
  // The lines the list shows, in order.
  const QStringList &Items() const;
  // Makes `row` the current, selected line.
  void SetCurrentRow(int row);

  QListView *HTMLList;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
};

inline THTMLTagsF *HTMLTagsF = nullptr;

} // namespace corvana
