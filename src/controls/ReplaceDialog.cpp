#include "controls/ReplaceDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvana {

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : TFindDialog(parent), m_replaceText(new QLineEdit(this)),
      m_replace(new QPushButton(QStringLiteral("&Replace"), this)),
      m_replaceAllButton(new QPushButton(QStringLiteral("Replace &All"), this)) {
  setObjectName(QStringLiteral("ReplaceDialog"));
  setWindowTitle(QStringLiteral("Replace"));
  m_replaceText->setObjectName(QStringLiteral("ReplaceText"));
  m_replace->setObjectName(QStringLiteral("Replace"));
  m_replaceAllButton->setObjectName(QStringLiteral("ReplaceAll"));
  // A replace dialog searches in one direction only.
  SetShowDirection(false);

  auto *label = new QLabel(QStringLiteral("Re&place with:"), this);
  label->setBuddy(m_replaceText);
  grid()->addWidget(label, 1, 0);
  grid()->addWidget(m_replaceText, 1, 1);
  addButton(m_replace);
  addButton(m_replaceAllButton);
  updateButtons();

  connect(m_replace, &QPushButton::clicked, this, &TReplaceDialog::Replace);
  connect(m_replaceAllButton, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAllClick);
}

QString TReplaceDialog::ReplaceText() const { return m_replaceText->text(); }

void TReplaceDialog::SetReplaceText(const QString &text) { m_replaceText->setText(text); }

void TReplaceDialog::Replace() { request(false); }

void TReplaceDialog::ReplaceAllClick() { request(true); }

void TReplaceDialog::request(bool all) {
  if (FindText().isEmpty())
    return;
  m_replaceAll = all;
  emit replace();
}

} // namespace corvana
