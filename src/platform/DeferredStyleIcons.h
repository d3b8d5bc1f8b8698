#pragma once
// The style's standard pictures made when first drawn or measured, once for each kind and
// direction. Qt makes one for every menu bar's and tool bar's overflow button and every MDI
// title bar as the control is made, reading picture files each time, though most of those
// buttons are never shown.

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace corvana {

class DeferredIconStyle : public QProxyStyle {
  Q_OBJECT

public:
  // Wraps `base`, which it then owns.
  explicit DeferredIconStyle(QStyle *base);

  QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                     const QWidget *widget = nullptr) const override;

  // The picture itself, made by the wrapped style on the first call for its kind and direction.
  QIcon madeIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const;

private:
  mutable QHash<int, QIcon> m_made;
};

// Wraps the application's style in a DeferredIconStyle; before any window is made.
void DeferStandardIcons();

} // namespace corvana
