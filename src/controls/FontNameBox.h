#pragma once
// The tool bars' box of installed font families. Listing every family costs more than a whole
// window, so the box lists them only once a person opens it, types into it or scrolls it; until
// then it holds just the family it shows.

#include <QComboBox>

namespace corvana {

class FontNameBox : public QComboBox {
  Q_OBJECT

public:
  explicit FontNameBox(QWidget *parent = nullptr);

  // Shows `family` when it is installed, otherwise nothing (index -1).
  void selectFamily(const QString &family);
  // Whether the families are listed yet.
  bool isFilled() const { return m_filled; }
  // Lists every family (with Latin letters) now, keeping the one shown.
  void fill();

  void showPopup() override;

protected:
  void focusInEvent(QFocusEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;

private:
  static bool listable(const QString &family);

  bool m_filled = false;
  // The last family asked about before the list is filled, and whether it can be shown.
  QString m_checkedFamily;
  bool m_checkedShowable = false;
};

} // namespace corvana
