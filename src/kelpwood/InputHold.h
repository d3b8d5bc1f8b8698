#pragma once
// Holds back the user's input for the length of a scope, except in the progress window: a long
// command that lets events through for its progress must not have the tree changed under it
// before that window (which blocks the rest) has appeared.

#include <QObject>

namespace corvana {

class InputHold : public QObject {
public:
  InputHold();
  ~InputHold() override;
  InputHold(const InputHold &) = delete;
  InputHold &operator=(const InputHold &) = delete;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace corvana
