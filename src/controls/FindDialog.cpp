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

TFindDialog::TFindDialog(QWidget *parent)
    : QDialog(parent), m_findText(new QLineEdit(this)), m_matchCase(new QCheckBox(QStringLiteral("Match &case"), this)),
      m_wholeWord(new QCheckBox(QStringLiteral("Match &whole word only"), this)),
      m_direction(new QGroupBox(QStringLiteral("Direction"), this)),
      m_up(new QRadioButton(QStringLiteral("&Up"), m_direction)),
      m_down(new QRadioButton(QStringLiteral("&Down"), m_direction)),
      m_findNext(new QPushButton(QStringLiteral("&Find Next"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)), m_grid(new QGridLayout), m_buttons(new QWidget(this)) {
  setObjectName(QStringLiteral("FindDialog"));
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
  m_findText->setObjectName(QStringLiteral("FindText"));
  m_matchCase->setObjectName(QStringLiteral("MatchCase"));
  m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
  m_direction->setObjectName(QStringLiteral("Direction"));
  m_up->setObjectName(QStringLiteral("Up"));
  m_down->setObjectName(QStringLiteral("Down"));
  m_down->setChecked(true);
  m_findNext->setObjectName(QStringLiteral("FindNext"));
  m_findNext->setDefault(true);
  m_cancel->setObjectName(QStringLiteral("Cancel"));

  auto *label = new QLabel(QStringLiteral("Fi&nd what:"), this);
  label->setBuddy(m_findText);
  m_grid->addWidget(label, 0, 0);
  m_grid->addWidget(m_findText, 0, 1);

  auto *directionRow = new QHBoxLayout(m_direction);
  directionRow->addWidget(m_up);
  directionRow->addWidget(m_down);
  auto *options = new QVBoxLayout;
  options->addWidget(m_wholeWord);
  options->addWidget(m_matchCase);
  auto *optionRow = new QHBoxLayout;
  optionRow->addLayout(options);
  optionRow->addWidget(m_direction);
  optionRow->addStretch(1);

  auto *left = new QVBoxLayout;
  left->addLayout(m_grid);
  left->addLayout(optionRow);
  left->addStretch(1);

  auto *buttons = new QVBoxLayout(m_buttons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(m_findNext);
  buttons->addWidget(m_cancel);
  buttons->addStretch(1);

  auto *layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(m_buttons);

  connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
  connect(m_cancel, &QPushButton::clicked, this, &TFindDialog::CloseDialog);
  connect(m_findText, &QLineEdit::textChanged, this, &TFindDialog::updateButtons);
  updateButtons();
}

QString TFindDialog::FindText() const { return m_findText->text(); }

void TFindDialog::SetFindText(const QString &text) { m_findText->setText(text); }

bool TFindDialog::MatchCase() const { return m_matchCase->isChecked(); }

void TFindDialog::SetMatchCase(bool on) { m_matchCase->setChecked(on); }

bool TFindDialog::WholeWord() const { return m_wholeWord->isChecked(); }

void TFindDialog::SetWholeWord(bool on) { m_wholeWord->setChecked(on); }

bool TFindDialog::Down() const { return m_down->isChecked(); }

void TFindDialog::SetDown(bool down) { (down ? m_down : m_up)->setChecked(true); }

void TFindDialog::SetShowWholeWord(bool show) { m_wholeWord->setVisible(show); }

void TFindDialog::SetShowDirection(bool show) { m_direction->setVisible(show); }

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
  const bool any = !FindText().isEmpty();
  for (QPushButton *button : m_buttons->findChildren<QPushButton *>())
    if (button != m_cancel)
      button->setEnabled(any);
}

} // namespace corvana
