#include "controls/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvana {

TFindDialog::TFindDialog(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog"));
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
}

void TFindDialog::ensureControls() {
  if (m_findText)
    return;
  m_findText = new QLineEdit(m_text, this);
  m_findText->setObjectName(QStringLiteral("FindText"));
  m_matchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
  m_matchCaseBox->setObjectName(QStringLiteral("MatchCase"));
  m_matchCaseBox->setChecked(m_matchCase);
  m_wholeWordBox = new QCheckBox(QStringLiteral("Match &whole word only"), this);
  m_wholeWordBox->setObjectName(QStringLiteral("WholeWord"));
  m_wholeWordBox->setChecked(m_wholeWord);
  m_wholeWordBox->setVisible(m_showWholeWord);
  m_direction = new QGroupBox(QStringLiteral("Direction"), this);
  m_direction->setObjectName(QStringLiteral("Direction"));
  m_direction->setVisible(m_showDirection);
  m_up = new QRadioButton(QStringLiteral("&Up"), m_direction);
  m_up->setObjectName(QStringLiteral("Up"));
  m_downButton = new QRadioButton(QStringLiteral("&Down"), m_direction);
  m_downButton->setObjectName(QStringLiteral("Down"));
  (m_down ? m_downButton : m_up)->setChecked(true);
  m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
  m_findNext->setObjectName(QStringLiteral("FindNext"));
  m_findNext->setDefault(true);
  m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
  m_cancel->setObjectName(QStringLiteral("Cancel"));

  m_grid = new QGridLayout;
  auto *label = new QLabel(QStringLiteral("Fi&nd what:"), this);
  label->setBuddy(m_findText);
  m_grid->addWidget(label, 0, 0);
  m_grid->addWidget(m_findText, 0, 1);

  auto *directionRow = new QHBoxLayout(m_direction);
  directionRow->addWidget(m_up);
  directionRow->addWidget(m_downButton);
  auto *options = new QVBoxLayout;
  options->addWidget(m_wholeWordBox);
  options->addWidget(m_matchCaseBox);
  auto *optionRow = new QHBoxLayout;
  optionRow->addLayout(options);
  optionRow->addWidget(m_direction);
  optionRow->addStretch(1);

  auto *left = new QVBoxLayout;
  left->addLayout(m_grid);
  left->addLayout(optionRow);
  left->addStretch(1);

  m_buttons = new QWidget(this);
  auto *buttons = new QVBoxLayout(m_buttons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(m_findNext);
  buttons->addWidget(m_cancel);
  buttons->addStretch(1);

  auto *layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(m_buttons);

  // The controls write through to the settings, which stay the dialog's answers.
  connect(m_findText, &QLineEdit::textChanged, this, [this](const QString &text) {
    m_text = text;
    updateButtons();
  });
  connect(m_matchCaseBox, &QCheckBox::toggled, this, [this](bool on) { m_matchCase = on; });
  connect(m_wholeWordBox, &QCheckBox::toggled, this, [this](bool on) { m_wholeWord = on; });
  connect(m_downButton, &QRadioButton::toggled, this, [this](bool on) { m_down = on; });
  connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
  connect(m_cancel, &QPushButton::clicked, this, &TFindDialog::CloseDialog);
  buildMoreControls();
  updateButtons();
}

void TFindDialog::SetFindText(const QString &text) {
  m_text = text;
  if (m_findText)
    m_findText->setText(text);
}

void TFindDialog::SetMatchCase(bool on) {
  m_matchCase = on;
  if (m_matchCaseBox)
    m_matchCaseBox->setChecked(on);
}

void TFindDialog::SetWholeWord(bool on) {
  m_wholeWord = on;
  if (m_wholeWordBox)
    m_wholeWordBox->setChecked(on);
}

void TFindDialog::SetDown(bool down) {
  m_down = down;
  if (m_downButton)
    (down ? m_downButton : m_up)->setChecked(true);
}

void TFindDialog::SetShowWholeWord(bool show) {
  m_showWholeWord = show;
  if (m_wholeWordBox)
    m_wholeWordBox->setVisible(show);
}

void TFindDialog::SetShowDirection(bool show) {
  m_showDirection = show;
  if (m_direction)
    m_direction->setVisible(show);
}

QPushButton *TFindDialog::findNextButton() {
  ensureControls();
  return m_findNext;
}

void TFindDialog::setVisible(bool visible) {
  if (visible)
    ensureControls();
  QDialog::setVisible(visible);
}

void TFindDialog::Execute() {
  show();
  raise();
  activateWindow();
  m_findText->setFocus();
  m_findText->selectAll();
}

void TFindDialog::CloseDialog() { hide(); }

void TFindDialog::FindNext() {
  if (!FindText().isEmpty())
    emit find();
}

void TFindDialog::addButton(QPushButton *button) {
  auto *buttons = static_cast<QVBoxLayout *>(m_buttons->layout());
  // Before Cancel, which stays last.
  buttons->insertWidget(buttons->indexOf(m_cancel), button);
}

void TFindDialog::updateButtons() {
  if (!m_buttons)
    return;
  const bool any = !FindText().isEmpty();
  for (QPushButton *button : m_buttons->findChildren<QPushButton *>())
    if (button != m_cancel)
      button->setEnabled(any);
}

} // namespace corvana
