#include "controls/ReplaceDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvana {

TReplaceDialog::TReplaceDialog(QWidget *parent) : TFindDialog(parent) {
  setObjectName(QStringLiteral("ReplaceDialog"));
  setWindowTitle(QStringLiteral("Replace"));
  // A replace dialog searches in one direction only.
  SetShowDirection(false);
}

void TReplaceDialog::buildMoreControls() {
  m_replaceText = new QLineEdit(m_replacement, this);
  m_replaceText->setObjectName(QStringLiteral("ReplaceText"));
  m_replace = new QPushButton(QStringLiteral("&Replace"), this);
  m_replace->setObjectName(QStringLiteral("Replace"));
  m_replaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
  m_replaceAllButton->setObjectName(QStringLiteral("ReplaceAll"));

  auto *label = new QLabel(QStringLiteral("Re&place with:"), this);
  label->setBuddy(m_replaceText);
  grid()->addWidget(label, 1, 0);
  grid()->addWidget(m_replaceText, 1, 1);
  addButton(m_replace);
  addButton(m_replaceAllButton);

  connect(m_replaceText, &QLineEdit::textChanged, this, [this](const QString &text) { m_replacement = text; });
  connect(m_replace, &QPushButton::clicked, this, &TReplaceDialog::Replace);
  connect(m_replaceAllButton, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAllClick);
}

void TReplaceDialog::SetReplaceText(const QString &text) {
  m_replacement = text;
  if (m_replaceText)
    m_replaceText->setText(text);
}

QPushButton *TReplaceDialog::replaceButton() {
  ensureControls();
  return m_replace;
}

QPushButton *TReplaceDialog::replaceAllButton() {
  ensureControls();
  return m_replaceAllButton;
}

void TReplaceDialog::Replace() { request(false); }

void TReplaceDialog::ReplaceAllClick() { request(true); }

void TReplaceDialog::request(bool all) {
  if (FindText().isEmpty())
    return;
  m_replaceAll = all;
  emit replace();
}

} // namespace corvana
