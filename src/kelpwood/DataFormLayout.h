#pragma once
// Where form mode places each field's label and edit box inside the data form, and how large
// the form then is, so that the scroll box can reach every field.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace corvana {

class DataFormLayout {
public:
  static constexpr int Left = 10;
  static constexpr int Top = 10;
  static constexpr int RowHeight = 30;
  static constexpr int EditLeft = 150;
  static constexpr int EditWidth = 200;

  static QPoint labelPos(int field) { return {Left, rowTop(field)}; }
  static QRect editRect(int field, int editHeight) { return {EditLeft, rowTop(field), EditWidth, editHeight}; }
  // The area the controls of `fields` fields cover, with the same margin right and below.
  static QSize extent(int fields, int editHeight) {
    if (fields <= 0)
      return {0, 0};
    return {EditLeft + EditWidth + Left, rowTop(fields - 1) + editHeight + Top};
  }

private:
  static int rowTop(int field) { return Top + RowHeight * field; }
};

} // namespace corvana
